#include "app/player/PlayerWidget.h"

#include "app/player/VideoSurface.h"

#include <QPalette>
#include <QResizeEvent>

namespace orvik {

namespace {
bool g_videoAllowed = true;
}

void TPlayerWidget::setVideoAllowed(bool allowed) {
    g_videoAllowed = allowed;
}

bool TPlayerWidget::videoAllowed() {
    return g_videoAllowed;
}

TPlayerWidget::TPlayerWidget(QWidget* parent) : QWidget(parent) {
    // The surface itself is made at the first play; until then the picture output waits (and
    // falls back to none should OpenGL turn out to be missing).
    videoWanted_ = g_videoAllowed && OpenGLPlatform();
    core_ = std::make_unique<TPlayerCore>(videoWanted_);
    setAutoFillBackground(true);
    setBackgroundColor(Qt::black);
    // The picture goes when playback ends, so that no last frame stays behind: the widget's
    // background shows until the next stream starts.
    connect(core_.get(), &TPlayerCore::stateChanged, this, [this](TPlayerCore::State state) {
        if (!video_)
            return;
        if (state == TPlayerCore::State::Stopped || state == TPlayerCore::State::Ended)
            video_->hide();
        else if (state == TPlayerCore::State::Opening)
            video_->setVisible(showsPicture());
    });
}

bool TPlayerWidget::continuePlaying(const QString& address) {
    switch (core_->state()) {
    case TPlayerCore::State::Paused:
        core_->resume();
        return true;
    case TPlayerCore::State::Opening:
    case TPlayerCore::State::Buffering:
    case TPlayerCore::State::Playing:
        return core_->address() == address;
    default:
        return false;
    }
}

bool TPlayerWidget::hasVideo() const {
    return video_ != nullptr || (videoWanted_ && OpenGLAvailable());
}

void TPlayerWidget::prepareVideo() {
    if (video_ || !videoWanted_)
        return;
    if (!OpenGLAvailable()) {
        videoWanted_ = false;
        return;
    }
    video_ = std::make_unique<TVideoSurface>(core_->handle(), this);
    video_->setGeometry(rect());
    video_->setObjectName(QStringLiteral("videoSurface"));
    connect(video_.get(), &TVideoSurface::renderContextReady, core_.get(),
            &TPlayerCore::reattachVideo);
    video_->show();
}

TPlayerWidget::~TPlayerWidget() = default;

bool TPlayerWidget::pictureReady() const {
    return video_ && video_->hasRenderContext();
}

void TPlayerWidget::setBackgroundColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
}

QColor TPlayerWidget::backgroundColor() const {
    return palette().color(QPalette::Window);
}

void TPlayerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (video_)
        video_->setGeometry(rect());
}

} // namespace orvik
