#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <QWebEngineView>

namespace orvik {

// The browser of the player area. The web engine is costly (tens of MiB as soon as a view
// exists), so the view is made on the first Navigate(); until then this is an empty widget.
class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Shows the page at address: http(s), file:// or a local path; an empty address shows a
    // blank page.
    void Navigate(const QString& address);
    // Stops loading the page; what was shown stays. Nothing to do before the first Navigate().
    void Stop();

    bool hasView() const { return view_ != nullptr; }
    QWebEngineView* view() const { return view_; }
    // The address last given to the view.
    QUrl LocationURL() const { return location_; }

    // The address as the view is given it.
    static QUrl urlFor(const QString& address);

signals:
    void loadStarted();
    void loadFinished(bool ok);

private:
    void ensureView();

    QPointer<QWebEngineView> view_; // a child of this widget
    QUrl location_;
};

} // namespace orvik
