#pragma once

#include <QStyle>

class QStyleOption;
class TDataSkinButton;

// The state of a control as the skin's pictures know it, read once from a style option; the
// families pick their frames from it through the cell functions below and never test the
// option's state bits themselves.
namespace orvik::style {

struct TControlState {
    bool enabled = true;
    bool hot = false;     // the mouse is over the control (or the part)
    bool pressed = false; // held down
    bool focused = false;
    bool checked = false; // on, or a drop-down that is open
    bool mixed = false;   // partly checked
    bool rtl = false;
};

TControlState DecodeState(const QStyleOption* option);
// The same for one part of a complex control: hot and pressed only when that part is active.
TControlState DecodePartState(const QStyleOption* option, QStyle::SubControl part);

// Push buttons (Buttons): pressed 2, hot 4, focused 5, else 1; disabled 3 whatever else.
int ButtonCell(const TControlState& s);
// Combo boxes (ComboButton, SunkEdge): pressed 2, focused or hot 4, else 1; disabled 3.
int ComboCell(const TControlState& s);
// How many frames a check or radio strip holds: the count the skin gives, else read from the
// picture (square frames); only the counts the painters know (4 or 12, 4 or 8) are returned.
int CheckFrames(const TDataSkinButton& buttons);
int RadioFrames(const TDataSkinButton& buttons);
int CheckCell(const TControlState& s, int frames);
int RadioCell(const TControlState& s, int frames);
// Up-down buttons: the first (up) or the second (down) button's frame of 8.
int UpDownCell(const TControlState& s, bool first);

} // namespace orvik::style
