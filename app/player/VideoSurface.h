#pragma once

#include <QOpenGLWidget>

struct mpv_handle;
struct mpv_render_context;

namespace orvik {

// True when OpenGL can be used for the picture: not on the offscreen or minimal platforms
// (QOpenGLWidget cannot live there) and only when a context can actually be made current.
// Checked once; the first check makes the global share context (see EnsureSharedOpenGL).
bool OpenGLAvailable();
// Whether the window system may offer OpenGL at all (not the offscreen or minimal platform);
// cheap, touches no driver.
bool OpenGLPlatform();

// The picture of one player, drawn by libmpv's render API into this widget's framebuffer.
// Made only after OpenGLAvailable() said yes, so the global share context exists by then.
// Must be destroyed before the mpv handle it draws for.
class TVideoSurface : public QOpenGLWidget {
    Q_OBJECT
public:
    TVideoSurface(mpv_handle* mpv, QWidget* parent);
    ~TVideoSurface() override;

    bool hasRenderContext() const { return render_ != nullptr; }

signals:
    // The render context was made (first show, or again after a move to another window).
    void renderContextReady();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void onUpdate(void* self);
    void freeRenderContext();

    mpv_handle* mpv_;
    mpv_render_context* render_ = nullptr;
};

} // namespace orvik
