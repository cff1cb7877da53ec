#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;

namespace orvik {

namespace webview {
struct ModuleApi;
}

// The browser of the player area. The web engine is costly (its library and the GL driver it
// needs take tens of MiB as soon as they are loaded), so it lives in a module of its own that
// is loaded, and the view made, on the first Navigate(); until then this is an empty widget.
class TWebBrowser : public QWidget {
    Q_OBJECT
public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Shows the page at address: http(s), file:// or a local path; an empty address shows a
    // blank page. When the web engine cannot be loaded, the area says why and loadFinished()
    // reports failure.
    void Navigate(const QString& address);
    // Stops loading the page; what was shown stays. Nothing to do before the first Navigate().
    void Stop();

    bool hasView() const { return view_ != nullptr; }
    // The engine's view (with the properties "url" and "title"), once made.
    QWidget* view() const { return view_; }
    // The address last given to the view.
    QUrl LocationURL() const { return location_; }
    // Why the web engine could not be loaded; empty when it was, or not tried yet.
    QString engineError() const { return engineError_; }

    // The address as the view is given it.
    static QUrl urlFor(const QString& address);

    // The web view module to load instead of the one next to the program (tests); an empty
    // path restores the default.
    static void setModulePath(const QString& path);

signals:
    void loadStarted();
    void loadFinished(bool ok);

private:
    bool ensureView();
    void showEngineError(const QString& why);

    const webview::ModuleApi* engine_ = nullptr; // set with view_
    QPointer<QWidget> view_;                     // a child of this widget, made by the module
    QPointer<QLabel> errorLabel_;
    QString engineError_;
    QUrl location_;
};

} // namespace orvik
