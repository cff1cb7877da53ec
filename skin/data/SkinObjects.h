#pragma once

#include "skin/data/NineSlice.h"
#include "skin/data/SkinColour.h"

#include <QImage>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

// How the equal frames of a picture lie: side by side (frame k, counted from 1, starts at
// x = (k - 1) * frame width) or stacked (at y = (k - 1) * frame height). The top and bottom
// window borders, the caption text background and the menu bar stack theirs; every other
// picture holds them side by side.
enum class TCellLayout { SideBySide, Stacked };

namespace orvik {
// Frame k (from 1) of a picture of this size cut into count equal frames; an empty rectangle
// when k is out of range or the frames would be less than a pixel.
QRect FrameRect(const QSize& picture, int count, int k,
                TCellLayout layout = TCellLayout::SideBySide);
} // namespace orvik

// One skinned thing of a loaded skin: a picture cut into FrameCount equal frames, the four
// margins kept unscaled when a frame is fitted to a target, and a few flags and colours. The
// skin data component builds and owns every element; painters only read them.
class TDataSkinObject {
public:
    explicit TDataSkinObject(const QString& name = QString(),
                             TCellLayout layout = TCellLayout::SideBySide)
        : Name(name), Layout(layout) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = default;
    TDataSkinObject& operator=(const TDataSkinObject&) = default;
    TDataSkinObject(TDataSkinObject&&) = default;
    TDataSkinObject& operator=(TDataSkinObject&&) = default;

    qint32 LeftWidth = 0;
    qint32 TopHeight = 0;
    qint32 RightWidth = 0;
    qint32 BottomHeight = 0;
    QImage Image; // may be null: the element has no picture
    qint32 Trans = 0;
    qint32 Tile = 0;
    QString Name;
    qint32 FrameCount = 0;
    qint32 Style = 0;
    qint32 NormalColour = 0;
    qint32 MouseOverColour = 0;
    qint32 PressedColour = 0;
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
    // Fixed by the kind of element, not by the definition.
    TCellLayout Layout = TCellLayout::SideBySide;
    // Image prepared for the painters, made at the first drawing of this skin's picture.
    mutable orvik::TPreparedCells Cells;

    // Left = LeftWidth, Top = TopHeight, Right = RightWidth, Bottom = BottomHeight.
    QMargins Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    void SetMargins(const QMargins& m);
    bool HasImage() const { return !Image.isNull(); }
    bool Stacked() const { return Layout == TCellLayout::Stacked; }
    // The size of one frame (the picture cut by FrameCount along its layout); empty when the
    // count is 0 or less or there is no picture.
    QSize FrameSize() const;
    int FrameWidth() const { return FrameSize().width(); }
    int FrameHeight() const { return FrameSize().height(); }
    // Frame k (from 1) of the picture; an empty rectangle when k is out of range or the
    // frames are not usable.
    QRect FrameRect(int k) const { return orvik::FrameRect(Image.size(), FrameCount, k, Layout); }
};

// An element with a second picture: the tab border, the up-down glyphs, the mirrored combo
// button.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage Image2;
};

// The caption text. Its margins carry the text offsets: LeftWidth "TextShift", TopHeight
// "TextShiftVert", RightWidth "TextRightClip"; Image is the picture behind the text.
class TDataSkinTitle : public TDataSkinObject {
public:
    // The value of a text colour the definition did not give.
    static constexpr TColor NoTextColor = 536870911; // 0x1FFFFFFF

    using TDataSkinObject::TDataSkinObject;
    qint32 TextAlignment = 0;
    qint32 TextBackground = 0;
    qint32 FontHeight = 0;
    qint32 TxtBackLeft = 0;
    qint32 TxtBackRight = 0;
    TColor ActiveTextColor = 0;
    TColor InactiveTextColor = 0;
};

// Push buttons, with the check box and radio button pictures.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage CheckImage;
    QImage RadioImage;
    qint32 RadioFrames = 0;
    qint32 CheckFrames = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// A caption button. Action: 0 close, 1/22 maximise or restore, 2/23 minimise, 3/11/12 system
// menu, 7/60, 8/61, 9/62 minimise, restore, close the active child window; anything else is
// handed to the window.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    qint32 Action = 0;
    qint32 Align = 0;
    qint32 Xcoord = 0;
    qint32 Ycoord = 0;
    qint32 CombineOp = 0;
    qint32 Visibility = 0;
    qint32 Visibility1 = 0;
};

// The group box label.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    qint32 BackgroundLeftShift = 0;
    qint32 BackgroundRightShift = 0;
    qint32 BackgroundAlignment = 0;
};
