#pragma once

#include "app/player/PlayerCore.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace orvik {

class TVideoSurface;

// What the two player stand-ins share: a widget the main window can parent, align, move, raise
// and show, one TPlayerCore of its own, and the picture filling the widget. Without OpenGL (or
// with pictures switched off) the widget shows its background colour and only sound plays.
class TPlayerWidget : public QWidget {
    Q_OBJECT
public:
    // Throws orvik::Error when the player cannot be created.
    explicit TPlayerWidget(QWidget* parent = nullptr);
    ~TPlayerWidget() override;

    TPlayerCore& core() { return *core_; }
    const TPlayerCore& core() const { return *core_; }
    // Whether this player shows a picture (OpenGL is there and pictures are allowed).
    bool hasVideo() const;
    // Whether the picture's render context exists (made when the widget is first shown).
    bool pictureReady() const;

    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;

    // Pictures for players created from now on; tests and benchmarks that need sound only
    // switch them off. On by default.
    static void setVideoAllowed(bool allowed);
    static bool videoAllowed();

protected:
    // Whether the picture is shown while a stream plays (a player may be told to hide it).
    virtual bool showsPicture() const { return true; }
    void resizeEvent(QResizeEvent* event) override;
    TVideoSurface* videoSurface() const { return video_.get(); }
    // Makes the picture's surface before the first stream starts. OpenGL costs memory as soon
    // as it is touched (a software renderer maps tens of MiB), so a player that never plays
    // never touches it.
    void prepareVideo();
    // The part of a play command that needs no new start: resumes a paused stream, and leaves
    // a stream of this address that is already on its way alone. True when that was all.
    bool continuePlaying(const QString& address);

private:
    std::unique_ptr<TPlayerCore> core_;
    // Declared after core_: the picture's render context goes before the mpv handle.
    std::unique_ptr<TVideoSurface> video_;
    bool videoWanted_ = false;
};

} // namespace orvik
