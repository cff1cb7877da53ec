#pragma once

class QUrl;
class QWidget;

// What the web view module (orvik-webview.so) offers the program. The module alone links the
// web engine, so a program that never shows a page never loads it.
//
// The view the module makes is a QWidget with the signals loadStarted() and loadFinished(bool)
// and the properties "url" and "title".
namespace orvik::webview {

inline constexpr int ModuleVersion = 1;
inline constexpr char EntryPoint[] = "orvik_webview_module";

struct ModuleApi {
    int version;
    // A new view, owned by parent.
    QWidget* (*create)(QWidget* parent);
    void (*load)(QWidget* view, const QUrl& url);
    void (*stop)(QWidget* view);
};

using EntryFunction = const ModuleApi* (*)();

} // namespace orvik::webview
