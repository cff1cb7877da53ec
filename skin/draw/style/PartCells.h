#pragma once

#include "skin/data/SkinObjects.h"

#include <QPalette>
#include <QStyle>

class QStyleOption;

// The state of one part of a control (a scroll arrow, a thumb, a tab, a header section) as the
// pictures of the scroll bar, slider, tab, header and status families know it, read once from
// a style option, and the frames those families draw for it. The painters pick their frames
// here and never test the option's state bits themselves.
namespace orvik::style {

struct TPartState {
    bool enabled = true;
    bool hot = false;
    bool pressed = false;
    bool selected = false;
};

// The whole control's state.
TPartState PartStateOf(const QStyleOption* option);
// One part of a complex control: hot and pressed only while that part is the active one.
TPartState PartStateOf(const QStyleOption* option, QStyle::SubControl part);

// Scroll bars. An arrow of the Scrollbar strip: first is the left or up arrow.
int ScrollArrowCell(const TPartState& s, bool horizontal, bool first);
int ScrollGripCell(const TPartState& s, bool horizontal);
int ScrollThumbCell(const TPartState& s);
int ScrollTrackCell(const TPartState& s);

// A track bar's thumb (a thumb at rest is the second frame of five).
int SliderThumbCell(const TPartState& s);
// A tab of the tab strip: the current one selected.
int TabCell(const TPartState& s);
// A column header section.
int HeaderCell(const TPartState& s);

// How a status bar panel is edged.
enum class TBevel { Lowered, Raised, None };
int StatusCell(TBevel bevel);

// An element the painters can draw from: it has a picture cut into at least one frame.
inline const TDataSkinObject* Usable(const TDataSkinObject* e) {
    return e && e->HasImage() && e->FrameCount > 0 ? e : nullptr;
}

// A palette whose text roles (window text, button text, text) are the given colour, for
// labels that Fusion draws on a skin's picture; disabled text takes the disabled colour.
QPalette WithTextColour(QPalette palette, const QColor& text, const QColor& disabled);

} // namespace orvik::style
