#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QPainter;
class TSkinData;

// Skinned popup menus: the popup's background with its border, and its items.
namespace orvik {

// Whether the skin paints popups' background and border (it has a menu background picture);
// without one a popup keeps its system look and only its items are skinned.
bool HasMenuBackground(const TSkinData& skin);

// The whole popup's background: frame 1 of the menu background picture fitted in nine parts
// over the popup (tiled or stretched by its tile flag). Opaque; null without a picture.
QImage PopupBackground(const TSkinData& skin, const QSize& popup);

// The PopupBorder strips of the popup (top, bottom, left, right) from its background.
void PaintPopupBorder(QPainter& painter, const QImage& background);

// What one item shows, decoded once from the menu's own description of it.
struct TMenuItemLook {
    enum Kind { Normal, Separator, SubMenu };
    Kind kind = Normal;
    bool selected = false;
    bool enabled = true;
    bool checked = false;
    bool exclusive = false; // one of a group of which only one is checked
    bool isDefault = false; // drawn bold
    bool rightToLeft = false;
    QString caption;          // with its accelerator mark
    QString shortcut;         // empty for none
    QPixmap image;            // null for none; already in its enabled or disabled form
    bool imageIsMask = false; // a glyph: drawn in the caption's colour, its shape only counts
    int imageWidth = 0;       // the widest image of the menu, 0 when it has none
};

// The colour of an item's caption: the highlight text colour when selected, the menu text
// colour, and for a disabled item the button shadow colour (the system's when the skin gives
// the same colour as its menu text).
QColor MenuItemTextColour(const TSkinData& skin, const TMenuItemLook& look);

// One item at its rectangle in the popup. The background comes from the popup's background
// (popupBackground, in the painter's coordinates) when it has one, else the menu colour; then
// the menu item picture (frame 1, frame 4 when selected; the separator cut from frame 2), or
// without one a flat fill in the menu or highlight colour and an etched separator line; then
// the check mark or image, the caption, the shortcut and a submenu's arrow.
void PaintMenuItem(QPainter& painter, const TSkinData& skin, const QRect& item,
                   const TMenuItemLook& look, const QFont& font, const QImage* popupBackground);

} // namespace orvik
