#pragma once

namespace orvik {

// The commands the desktop may give the player; the main window carries them out.
class TMediaControl {
public:
    virtual ~TMediaControl() = default;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // 0..1; the control rounds to the steps it has.
    virtual void setVolume(double volume) = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
};

} // namespace orvik
