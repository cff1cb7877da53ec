#pragma once

#include <QList>
#include <QRect>
#include <QSize>

class TDataSkinObject;

// Where the parts of skinned menus go: the items of the menu bar in the band below the title,
// and the size and inner places of a popup menu item. Pure geometry, in pixels; the painters
// and the style draw and measure by these values.
namespace orvik {

// --- the menu bar ---

// The band's height for the menu font's line height.
int MenuBandHeight(int fontHeight);

// How far the first item starts from the band's leading edge (the left one, the right one in a
// right-to-left bar). With a menu bar picture: its left margin + 4 (right margin + 8 from the
// right), or 12 when the band is narrower than that; without one, 6.
int MenuBarItemStart(const TDataSkinObject* bar, int bandWidth, bool rightToLeft);

// An item is as wide as its caption + 10; an empty caption takes no room.
int MenuBarItemWidth(int captionWidth);

// The items' rectangles in band coordinates, one per width (0 for an item that is hidden or has
// no caption: its rectangle is empty). Items follow each other from the start, from the right
// edge leftwards in a right-to-left bar; each is as high as the band less its bottom row.
QList<QRect> MenuBarItemRects(const QList<int>& widths, int start, const QSize& band,
                              bool rightToLeft);

// --- popup menus ---

// The border of a popup whose background comes from the skin.
inline constexpr int PopupBorder = 3;
// The narrowest image column.
inline constexpr int MenuImageWidth = 16;
// The shortcut text ends this far before the item's right edge; a submenu arrow sits there.
inline constexpr int MenuShortcutEnd = 11;
// The caption starts this far after the image column.
inline constexpr int MenuCaptionGap = 3;

struct TMenuItemMeasure {
    bool separator = false;
    // The caption's width and line height (without the shortcut).
    int textWidth = 0;
    int textHeight = 0;
    // The widest image of the menu, 0 when no item of the menu has one.
    int imageWidth = 0;
    int imageHeight = 0;
    // A drop-down of the menu bar (otherwise a popup or the system menu).
    bool barDropDown = false;
};

// The size of one item. The width is the item's own (its caption, and in a menu with images the
// image width + 22 more) grown by the menu item picture's left margin and 12, + 23 in a menu
// without images (a bar drop-down: by the margin and 10, + 25). The height is the line or image
// height, at least 16, + 4; a separator is 8 high. The shortcut column is added by the menu.
QSize MenuItemSize(const TDataSkinObject* menuItem, const TMenuItemMeasure& m);

// Inside one item (all in the item's coordinates, that is relative to its rectangle).
struct TMenuItemPlaces {
    QRect image;    // the image column: check mark or image
    QRect caption;  // the caption, from MenuCaptionGap after the image column
    QRect shortcut; // ends MenuShortcutEnd before the right edge
    QRect arrow;    // the submenu arrow, in the last MenuShortcutEnd pixels
};

// The image column starts at the picture's left margin + 1 and is imageWidth wide (at least
// MenuImageWidth). A right-to-left item mirrors every place.
TMenuItemPlaces MenuItemPlaces(const QSize& item, const TDataSkinObject* menuItem, int imageWidth,
                               bool rightToLeft);

} // namespace orvik
