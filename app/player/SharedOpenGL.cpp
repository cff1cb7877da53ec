#include "app/player/SharedOpenGL.h"

#include "app/player/VideoSurface.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <memory>

// Qt's own entry points for the global share context (exported by Qt GUI, not in its headers).
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
QT_END_NAMESPACE

namespace orvik {

namespace {

std::unique_ptr<QOpenGLContext>& ownContext() {
    static std::unique_ptr<QOpenGLContext> context;
    return context;
}

// Runs while the application is being destroyed, after every window is gone.
void releaseSharedContext() {
    if (qt_gl_global_share_context() == ownContext().get())
        qt_gl_set_global_share_context(nullptr);
    ownContext().reset();
}

} // namespace

bool EnsureSharedOpenGL() {
    if (QOpenGLContext* existing = qt_gl_global_share_context())
        return existing->isValid();
    static bool failed = false;
    if (failed || !QCoreApplication::instance() || !OpenGLPlatform())
        return false;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) {
        failed = true;
        return false;
    }
    ownContext() = std::move(context);
    qt_gl_set_global_share_context(ownContext().get());
    qAddPostRoutine(releaseSharedContext);
    return true;
}

} // namespace orvik
