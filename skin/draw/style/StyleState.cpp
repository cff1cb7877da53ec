#include "skin/draw/style/StyleState.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinObjects.h"

#include <QStyleOption>

namespace orvik::style {

TControlState DecodeState(const QStyleOption* option) {
    TControlState s;
    if (!option)
        return s;
    const QStyle::State st = option->state;
    s.enabled = st & QStyle::State_Enabled;
    s.hot = s.enabled && (st & QStyle::State_MouseOver);
    s.pressed = s.enabled && (st & QStyle::State_Sunken);
    s.focused = st & QStyle::State_HasFocus;
    s.checked = st & QStyle::State_On;
    s.mixed = st & QStyle::State_NoChange;
    s.rtl = option->direction == Qt::RightToLeft;
    return s;
}

TControlState DecodePartState(const QStyleOption* option, QStyle::SubControl part) {
    TControlState s = DecodeState(option);
    const auto* complex = qstyleoption_cast<const QStyleOptionComplex*>(option);
    const bool active = complex && (complex->activeSubControls & part);
    s.hot = s.hot && active;
    s.pressed = s.pressed && active;
    return s;
}

int ButtonCell(const TControlState& s) {
    if (!s.enabled)
        return buttoncell::Disabled;
    if (s.pressed || s.checked)
        return buttoncell::Pressed;
    if (s.hot)
        return buttoncell::Hot;
    if (s.focused)
        return buttoncell::Default;
    return buttoncell::Normal;
}

int ComboCell(const TControlState& s) {
    if (!s.enabled)
        return combocell::Disabled;
    if (s.pressed)
        return combocell::Pressed;
    if (s.focused || s.hot)
        return combocell::Hot;
    return combocell::Normal;
}

namespace {

int framesOf(const QImage& image, int given, int full) {
    if (given == 4 || given == full)
        return given;
    if (image.isNull() || image.height() <= 0)
        return 4;
    return image.width() / image.height() >= full ? full : 4;
}

} // namespace

int CheckFrames(const TDataSkinButton& buttons) {
    return framesOf(buttons.CheckImage, buttons.CheckFrames, checkcell::FullCount);
}

int RadioFrames(const TDataSkinButton& buttons) {
    return framesOf(buttons.RadioImage, buttons.RadioFrames, radiocell::FullCount);
}

int CheckCell(const TControlState& s, int frames) {
    if (frames == checkcell::FullCount) {
        const int base = s.mixed     ? checkcell::FullMixed
                         : s.checked ? checkcell::FullChecked
                                     : checkcell::FullUnchecked;
        if (!s.enabled)
            return base + checkcell::FullDisabled;
        if (s.pressed)
            return base + checkcell::FullPressed;
        if (s.hot)
            return base + checkcell::FullHot;
        return base;
    }
    if (s.mixed)
        return checkcell::Grayed;
    const int base = s.checked ? checkcell::Checked : checkcell::Unchecked;
    return s.enabled ? base : base + checkcell::DisabledShift;
}

int RadioCell(const TControlState& s, int frames) {
    if (frames == radiocell::FullCount) {
        const int base = s.checked ? radiocell::FullChecked : radiocell::FullUnchecked;
        if (!s.enabled)
            return base + radiocell::FullDisabled;
        if (s.pressed)
            return base + radiocell::FullPressed;
        if (s.hot)
            return base + radiocell::FullHot;
        return base;
    }
    const int base = s.checked ? radiocell::Checked : radiocell::Unchecked;
    return s.enabled ? base : base + radiocell::DisabledShift;
}

int UpDownCell(const TControlState& s, bool first) {
    const int base = first ? updowncell::First : updowncell::Second;
    if (!s.enabled)
        return base + updowncell::Disabled;
    if (s.pressed)
        return base + updowncell::Pressed;
    if (s.hot)
        return base + updowncell::Hot;
    return base + updowncell::Normal;
}

} // namespace orvik::style
