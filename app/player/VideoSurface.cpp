#include "app/player/VideoSurface.h"

#include "app/player/SharedOpenGL.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <mpv/client.h>
#include <mpv/render_gl.h>

namespace orvik {

namespace {

void* procAddress(void*, const char* name) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

bool probeOpenGL() {
    if (!EnsureSharedOpenGL())
        return false;
    QOpenGLContext context;
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    context.doneCurrent();
    return true;
}

} // namespace

bool OpenGLPlatform() {
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

bool OpenGLAvailable() {
    static const bool available = probeOpenGL();
    return available;
}

TVideoSurface::TVideoSurface(mpv_handle* mpv, QWidget* parent) : QOpenGLWidget(parent), mpv_(mpv) {
    setAttribute(Qt::WA_TransparentForMouseEvents); // clicks belong to the player widget
}

TVideoSurface::~TVideoSurface() {
    freeRenderContext();
    // The base class destroys the context after this object is gone: no call back into it.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
}

void TVideoSurface::freeRenderContext() {
    if (!render_)
        return;
    // After this no libmpv thread calls onUpdate() for this widget any more.
    mpv_render_context_set_update_callback(render_, nullptr, nullptr);
    makeCurrent();
    mpv_render_context_free(render_);
    doneCurrent();
    render_ = nullptr;
}

void TVideoSurface::initializeGL() {
    // Moving the widget to another window replaces its context: let go of the render
    // context while the old one can still be made current.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &TVideoSurface::freeRenderContext,
            Qt::UniqueConnection);
    mpv_opengl_init_params gl{&procAddress, nullptr};
    int advanced = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl},
        {MPV_RENDER_PARAM_ADVANCED_CONTROL, &advanced},
        {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, mpv_, params) < 0) {
        render_ = nullptr; // no picture; the sound still plays
        return;
    }
    mpv_render_context_set_update_callback(render_, &TVideoSurface::onUpdate, this);
    emit renderContextReady();
}

void TVideoSurface::onUpdate(void* self) {
    // Called on a libmpv thread: only queue a repaint on ours.
    auto* surface = static_cast<TVideoSurface*>(self);
    QMetaObject::invokeMethod(surface, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void TVideoSurface::paintGL() {
    if (!render_)
        return;
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{int(defaultFramebufferObject()), int(width() * ratio), int(height() * ratio),
                       0};
    int flipY = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                 {MPV_RENDER_PARAM_FLIP_Y, &flipY},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
}

} // namespace orvik
