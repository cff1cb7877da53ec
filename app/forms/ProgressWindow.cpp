#include "app/forms/ProgressWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TProgressWindow::TProgressWindow(QWidget* owner, const QString& text)
    : QDialog(owner), label_(new QLabel(text, this)), bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Orvik"));
    setWindowModality(Qt::WindowModal);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    bar_->setRange(0, 1000);
    bar_->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(cancel_, &QPushButton::clicked, this, &TProgressWindow::reject);
    clock_.start();
}

void TProgressWindow::reject() {
    cancelled_ = true;
    label_->setText(QStringLiteral("Cancelling..."));
}

void TProgressWindow::SetText(const QString& text) {
    if (!cancelled_)
        label_->setText(text);
}

bool TProgressWindow::Step(qint64 done, qint64 total) {
    if (!isVisible()) {
        if (clock_.elapsed() < showAfterMs)
            return !cancelled_;
        show();
    }
    if (total > 0)
        bar_->setValue(int(std::clamp<qint64>(done * 1000 / total, 0, 1000)));
    QCoreApplication::processEvents();
    return !cancelled_;
}

orvik::TProgress TProgressWindow::Callback() {
    return [this](qint64 done, qint64 total) { return Step(done, total); };
}
