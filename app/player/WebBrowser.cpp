#include "WebBrowser.h"

#include <QDir>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace orvik {

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

TWebBrowser::~TWebBrowser() = default;

QUrl TWebBrowser::urlFor(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    if (QDir::isAbsolutePath(trimmed) && !trimmed.contains(u"://"))
        return QUrl::fromLocalFile(trimmed);
    const QUrl url = QUrl::fromUserInput(trimmed);
    return url.isValid() ? url : QUrl(QStringLiteral("about:blank"));
}

void TWebBrowser::ensureView() {
    if (view_)
        return;
    view_ = new QWebEngineView(this);
    layout()->addWidget(view_);
    connect(view_, &QWebEngineView::loadStarted, this, &TWebBrowser::loadStarted);
    connect(view_, &QWebEngineView::loadFinished, this, &TWebBrowser::loadFinished);
}

void TWebBrowser::Navigate(const QString& address) {
    ensureView();
    location_ = urlFor(address);
    view_->load(location_);
}

void TWebBrowser::Stop() {
    if (view_)
        view_->stop();
}

} // namespace orvik
