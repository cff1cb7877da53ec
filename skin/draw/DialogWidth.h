#pragma once

class QFont;
class QString;
class QWidget;
class TSkinData;

namespace orvik {

// How a dialog whose caption does not fit its title bar is widened: the new window width and
// how far its controls move right so that they stay centred (half the difference).
struct TDialogWidening {
    int width = 0;
    int shift = 0;
};

// The caption needs the title's left margin, the text and the title's right margin; a window
// at least that wide keeps its width (shift 0). Widths below 0 count as 0.
TDialogWidening WidenForCaption(int windowWidth, int textWidth, int titleLeft, int titleRight);

// Widens a dialog for its caption in the skin's title bar, measured in the caption font as the
// title bar lays it out (spaced, with the ends of the text's background; a centred caption
// clear of the wider title margin on both sides).
// frameWidth is what the left and right borders add to the dialog's width (0 when the dialog's
// own width already holds them). A dialog with a layout gets the shift as extra left and
// right margins of the layout, one without has every child moved. Returns the widening done.
TDialogWidening WidenDialogForCaption(QWidget& dialog, const TSkinData& skin, const QFont& font,
                                      int frameWidth);

} // namespace orvik
