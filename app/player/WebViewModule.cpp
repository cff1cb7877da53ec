// The web view module: the one place that links the web engine. The program loads it at the
// first page it shows.
#include "app/player/WebViewModule.h"

#include <QUrl>
#include <QWebEngineView>

namespace {

QWidget* create(QWidget* parent) {
    return new QWebEngineView(parent); // owned by parent
}

QWebEngineView* asView(QWidget* view) {
    return qobject_cast<QWebEngineView*>(view);
}

void load(QWidget* view, const QUrl& url) {
    if (QWebEngineView* v = asView(view))
        v->load(url);
}

void stop(QWidget* view) {
    if (QWebEngineView* v = asView(view))
        v->stop();
}

const orvik::webview::ModuleApi api{orvik::webview::ModuleVersion, &create, &load, &stop};

} // namespace

extern "C" Q_DECL_EXPORT const orvik::webview::ModuleApi* orvik_webview_module() {
    return &api;
}
