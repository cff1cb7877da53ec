#include "skin/draw/style/PartCells.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/style/StyleState.h"

#include <QStyleOption>

namespace orvik::style {

namespace {

// The part families need four of the state bits the control families decode.
TPartState PartOf(const TControlState& c, const QStyleOption* option) {
    TPartState s;
    s.enabled = c.enabled;
    s.hot = c.hot;
    s.pressed = c.pressed;
    s.selected = option && (option->state & QStyle::State_Selected);
    return s;
}

} // namespace

TPartState PartStateOf(const QStyleOption* option) {
    return PartOf(DecodeState(option), option);
}

TPartState PartStateOf(const QStyleOption* option, QStyle::SubControl part) {
    return PartOf(DecodePartState(option, part), option);
}

int ScrollArrowCell(const TPartState& s, bool horizontal, bool first) {
    const int base = horizontal ? (first ? scrollcell::Left : scrollcell::Right)
                                : (first ? scrollcell::Up : scrollcell::Down);
    if (!s.enabled)
        return base + scrollcell::ArrowDisabled;
    if (s.pressed)
        return base + scrollcell::ArrowPressed;
    if (s.hot)
        return base + scrollcell::ArrowHot;
    return base;
}

int ScrollGripCell(const TPartState& s, bool horizontal) {
    const int base = horizontal ? scrollcell::GripHorz : scrollcell::GripVert;
    if (s.pressed)
        return base + scrollcell::GripPressed;
    if (s.hot)
        return base + scrollcell::GripHot;
    return base;
}

int ScrollThumbCell(const TPartState& s) {
    if (s.pressed)
        return thumbcell::Pressed;
    if (s.hot)
        return thumbcell::Hot;
    return thumbcell::Normal;
}

int ScrollTrackCell(const TPartState& s) {
    return s.enabled ? trackcell::Enabled : trackcell::Disabled;
}

int SliderThumbCell(const TPartState& s) {
    if (!s.enabled)
        return slidercell::Disabled;
    if (s.pressed)
        return slidercell::Pressed;
    if (s.hot)
        return slidercell::Hot;
    return slidercell::Normal;
}

int TabCell(const TPartState& s) {
    if (s.selected)
        return s.hot ? tabcell::SelectedHot : tabcell::Selected;
    if (!s.enabled)
        return tabcell::Disabled;
    return s.hot ? tabcell::Hot : tabcell::Normal;
}

int HeaderCell(const TPartState& s) {
    if (!s.enabled)
        return headercell::Disabled;
    if (s.pressed)
        return headercell::Pressed;
    return s.hot ? headercell::Hot : headercell::Normal;
}

QPalette WithTextColour(QPalette palette, const QColor& text, const QColor& disabled) {
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, disabled);
    }
    return palette;
}

int StatusCell(TBevel bevel) {
    switch (bevel) {
    case TBevel::Raised:
        return statuscell::Raised;
    case TBevel::None:
        return statuscell::Flat;
    case TBevel::Lowered:
        break;
    }
    return statuscell::Lowered;
}

} // namespace orvik::style
