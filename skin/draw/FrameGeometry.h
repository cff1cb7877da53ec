#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QFont;
class TDataSkinSysButton;
class TSkinData;

// Where the parts of a skinned window frame go: the border sizes, the caption text and the
// caption buttons, and what lies under a point. Pure geometry in window coordinates (the
// window's top-left corner is 0,0); the frame painter and the window skinner work from it.
namespace orvik {

// The kind of frame a window has: it decides the border sizes and whether it can be resized.
enum class TBorderKind { Sizeable = 0, Single = 1, None = 2, Dialog = 3 };

struct TBorderSizes {
    int left = 0;
    int title = 0; // the title bar's height: the top border
    int right = 0;
    int bottom = 0;
    QMargins Margins() const { return {left, title, right, bottom}; }
    bool operator==(const TBorderSizes&) const = default;
};

// A window without caption has no frame; the others take the width of the side borders'
// frames and the height of the top and bottom borders' frames.
TBorderSizes BorderSizes(const TSkinData& skin, TBorderKind kind);

// What the frame needs to know of one window.
struct TFrameState {
    QSize size; // the whole window, frame included
    TBorderKind kind = TBorderKind::Sizeable;
    bool active = true;
    bool maximised = false;
    bool minimised = false;
    bool systemMenu = true;
    bool maximiseBox = true;
    bool minimiseBox = true;
    bool dialogClass = false; // a message box or a standard dialog
    bool rightToLeft = false;
    bool popupStyle = false;
    bool childMaximised = false; // a maximised child window shows its buttons in the menu bar
    int menuHeight = 0;          // the menu bar band below the title, 0 for none
};

// The two rule sets for showing caption buttons: the frame's own, and the caption painter's,
// which shows the codes from 200 up without asking and does not hide a close button for a
// window without system menu unless its Visibility is 0.
enum class TButtonRules { Frame, Caption };

// Asked for a visibility code from 1000 to 2000 with the button's action; true shows it. An
// empty function hides such buttons.
using TAskButtonVisible = std::function<bool(int code, int action)>;

bool ButtonVisible(const TDataSkinSysButton& button, const TFrameState& state, TButtonRules rules,
                   const TAskButtonVisible& ask = {});

struct TCaptionButtonPlace {
    int index = -1; // in the skin's list of caption buttons
    const TDataSkinSysButton* button = nullptr;
    QRect rect;
};

// The leftmost place of a button counted from the right edge (Align 1) among the shown ones,
// 0 when there is none: popup-style windows end their caption text before it.
int HotTrackWidth(const TSkinData& skin, const TFrameState& state, TButtonRules rules,
                  const TAskButtonVisible& ask = {});

// The caption as the title bar lays it out: a space before it and two after.
QString SpacedCaption(const QString& caption);

// The caption text's rectangle (with the ends of its background picture) for a text
// textWidth pixels wide, over the title bar's full height.
QRect CaptionTextRect(const TSkinData& skin, const TFrameState& state, int textWidth,
                      int hotTrackWidth);

// Every shown caption button with a picture, in the skin's order, placed by its Align:
// 0 from the left, 1 from the right, 2 and 8 before the caption text, 3 and 9 after it (an
// empty text rectangle counts as 0), 100 in the menu bar of a maximised child window.
QList<TCaptionButtonPlace> CaptionButtonPlaces(const TSkinData& skin, const TFrameState& state,
                                               const QRect& textRect, TButtonRules rules,
                                               const TAskButtonVisible& ask = {});

// One frame laid out for painting and for the mouse.
struct TFrameLayout {
    TFrameState state;
    TBorderSizes borders;
    QRect text;            // the caption text with its background; empty: no caption text
    QString elidedCaption; // the caption as drawn: spaced, cut with an ellipsis to fit
    int textShiftY = 0;    // how far the text sits below the title bar's middle
    QList<TCaptionButtonPlace> buttons;
    int hotTrackWidth = 0;
    // Inside the borders and below the menu bar band.
    QRect Client() const;
};

// Lays out the frame of a window titled caption. Without captionActive (or without caption
// text) no text is laid out; the buttons are placed by the caption painter's rules when it is
// active, by the frame's own otherwise.
TFrameLayout LayoutFrame(const TSkinData& skin, const TFrameState& state, const QString& caption,
                         const QFont& captionFont, bool captionActive,
                         const TAskButtonVisible& ask = {});

// What lies under a point of the window.
enum class THitPart {
    Nowhere,
    Client,
    Caption,
    Icon,   // a system menu button that shows the window icon
    Button, // any other caption button
    Menu,
    Border, // a border that does not resize the window
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

struct THit {
    THitPart part = THitPart::Nowhere;
    int button = -1; // index into the layout's buttons for Icon and Button
    bool operator==(const THit&) const = default;
};

// Caption buttons come first. Only a sizeable window that is neither maximised nor minimised
// has resizing edges: the side and bottom borders, the top 4 rows of the title bar, and
// corners reaching 16 pixels (or twice the border) along each edge.
THit HitTest(const TFrameLayout& layout, QPoint point);
// The edges a resize from that part moves; none for the parts that do not resize.
Qt::Edges ResizeEdges(THitPart part);

} // namespace orvik
