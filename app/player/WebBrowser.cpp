#include "app/player/WebBrowser.h"

#include "app/player/SharedOpenGL.h"
#include "app/player/WebViewModule.h"
#include "core/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QVBoxLayout>

namespace orvik {

namespace {

const QString ModuleFile = QStringLiteral("orvik-webview.so");

QString& modulePathOverride() {
    static QString path;
    return path;
}

// The module next to the executable, or where an installed program keeps it; tests run from a
// folder below the build folder, so the build folder this program was built in comes last.
QStringList moduleCandidates() {
    if (!modulePathOverride().isEmpty())
        return {modulePathOverride()};
    QStringList paths;
    for (const QString& folder : orvik::moduleFolders())
        paths << folder + ModuleFile;
#ifdef ORVIK_PROGRAM_DIR
    paths << QDir(QStringLiteral(ORVIK_PROGRAM_DIR)).filePath(ModuleFile);
#endif
    return paths;
}

// Loads the module once per process; a module that failed to load is tried again next time.
const webview::ModuleApi* loadModule(QString& error) {
    static const webview::ModuleApi* loaded = nullptr;
    if (loaded)
        return loaded;
    QStringList reasons;
    for (const QString& path : moduleCandidates()) {
        if (!QFileInfo::exists(path)) {
            reasons << QStringLiteral("%1 is missing").arg(path);
            continue;
        }
        // The web engine cannot be unloaded safely; the module stays for the process.
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        const auto entry =
            reinterpret_cast<webview::EntryFunction>(library.resolve(webview::EntryPoint));
        if (!entry) {
            reasons << library.errorString();
            continue;
        }
        const webview::ModuleApi* api = entry();
        if (!api || api->version != webview::ModuleVersion || !api->create || !api->load ||
            !api->stop) {
            reasons << QStringLiteral("%1 is of another version of the program").arg(path);
            continue;
        }
        loaded = api;
        return loaded;
    }
    error = reasons.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

TWebBrowser::~TWebBrowser() = default;

void TWebBrowser::setModulePath(const QString& path) {
    modulePathOverride() = path;
}

QUrl TWebBrowser::urlFor(const QString& address) {
    const QString trimmed = address.trimmed();
    if (trimmed.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    if (QDir::isAbsolutePath(trimmed) && !trimmed.contains(u"://"))
        return QUrl::fromLocalFile(trimmed);
    const QUrl url = QUrl::fromUserInput(trimmed);
    return url.isValid() ? url : QUrl(QStringLiteral("about:blank"));
}

bool TWebBrowser::ensureView() {
    if (view_)
        return true;
    // The engine's renderer shares its pictures with the window through the global share
    // context, which must exist before the engine is loaded. Without OpenGL the engine draws
    // in software.
    EnsureSharedOpenGL();
    QString error;
    const webview::ModuleApi* api = loadModule(error);
    if (!api) {
        showEngineError(error);
        return false;
    }
    view_ = api->create(this);
    if (!view_) {
        showEngineError(QStringLiteral("the web view could not be made"));
        return false;
    }
    engine_ = api;
    engineError_.clear();
    if (errorLabel_)
        errorLabel_->hide(); // the page takes its place
    layout()->addWidget(view_);
    connect(view_, SIGNAL(loadStarted()), this, SIGNAL(loadStarted()));
    connect(view_, SIGNAL(loadFinished(bool)), this, SIGNAL(loadFinished(bool)));
    return true;
}

void TWebBrowser::showEngineError(const QString& why) {
    engineError_ = why;
    qWarning("Web pages cannot be shown: %s", qPrintable(why));
    if (!errorLabel_) {
        errorLabel_ = new QLabel(this);
        errorLabel_->setAlignment(Qt::AlignCenter);
        errorLabel_->setWordWrap(true);
        errorLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout()->addWidget(errorLabel_);
    }
    errorLabel_->setText(
        QStringLiteral("Web pages cannot be shown: the web engine could not be loaded.\n\n%1")
            .arg(why));
}

void TWebBrowser::Navigate(const QString& address) {
    location_ = urlFor(address);
    if (!ensureView()) {
        emit loadFinished(false);
        return;
    }
    engine_->load(view_, location_);
}

void TWebBrowser::Stop() {
    if (view_)
        engine_->stop(view_);
}

} // namespace orvik
