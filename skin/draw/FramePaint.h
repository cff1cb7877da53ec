#pragma once

#include "skin/draw/FrameGeometry.h"

#include <QImage>

class QFont;
class QPainter;
class TSkinData;

// The skinned window frame as a picture: the four border parts in their active or inactive
// look, the title bar, the caption text on its background picture and the caption buttons.
namespace orvik {

enum class TButtonLook { Idle, Hot, Pressed };

struct TFrameLook {
    int hotButton = -1; // index into the layout's buttons, -1 for none
    TButtonLook hotLook = TButtonLook::Idle;
    QImage icon; // the window's icon at small size, drawn on the icon buttons; null: the picture
};

// The frame of a caption button in that look: pressed 2, hot 3; idle 1 in an active window or
// for a picture of fewer than 4 frames, else 4.
int CaptionButtonCell(const TDataSkinSysButton& button, bool windowActive, TButtonLook look);

// Paints the frame in window coordinates, leaving the client area and the menu bar band as
// they were. Magenta pixels of a part with the transparency flag, and of every caption button,
// leave the target as it was.
void PaintFrame(QPainter& painter, const TSkinData& skin, const TFrameLayout& layout,
                const QFont& captionFont, const TFrameLook& look = {});

// Composes frames off screen into one picture of the window's size that is kept from one
// composition to the next: only the frame is cleared and painted again, the inside stays fully
// transparent, and so do the see-through pixels of the border parts.
class TFrameComposer {
public:
    const QImage& Compose(const TSkinData& skin, const TFrameLayout& layout,
                          const QFont& captionFont, const TFrameLook& look = {});
    const QImage& Image() const { return image_; }

private:
    QImage image_;
};

} // namespace orvik
