#pragma once

#include <QString>

namespace orvik {

// What the desktop is told about the player: the station started last and how it plays.
struct TMediaState {
    bool playing = false;
    QString station; // empty until a station was started
    QString title;   // the stream's own title, empty while it says none
    QString url;
    double volume = 0; // 0..1
    bool canPlay = false;
    bool canStop = false;
    bool canGoNext = false;
    bool canGoPrevious = false;

    bool operator==(const TMediaState&) const = default;
};

} // namespace orvik
