#pragma once

#include "skin/draw/FrameGeometry.h"

#include <QRegion>
#include <QSize>

class TSkinData;

// The outline of a skinned window: what of the window the desktop does not show through.
namespace orvik {

// The inside of the borders united with each border part: the part's pixels that are not
// magenta when the part has the transparency flag, else its whole rectangle. The whole window
// when no part has the flag; the window without frame is its whole rectangle too.
QRegion FrameOutline(const TSkinData& skin, const TFrameState& state);

// The outline of one window, built again only when the window's size, its frame kind or
// activity, or the skin's border pictures changed.
class TOutlineCache {
public:
    const QRegion& Get(const TSkinData& skin, const TFrameState& state);
    // Whether the last Get built the region (false: it came from the cache).
    bool LastWasRebuilt() const { return rebuilt_; }
    void Clear();

private:
    QRegion region_;
    QSize size_;
    int kind_ = -1;
    bool active_ = true;
    quint64 key_ = 0;
    bool rebuilt_ = false;
};

} // namespace orvik
