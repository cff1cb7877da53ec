#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QFont;
class QPainter;
class TSkinData;

// The skinned menu bar: the band below the title and its items.
namespace orvik {

// The band of the bar with nothing highlighted: frame 1 of the menu bar picture in an active
// window, frame 2 in an inactive one, fitted in nine parts when its tile flag is 1, else its
// left part, the middle repeated and its right part; the skin's menu bar colour without a
// picture. Opaque.
QImage MenuBandImage(const TSkinData& skin, const QSize& band, bool active);

// An item's look: 1 normal, 2 pressed (its menu is open), 3 hot (under the mouse or chosen by
// keyboard).
enum class TBarItemState { Normal = 1, Pressed = 2, Hot = 3 };

struct TMenuBarItemLook {
    QString caption; // with its accelerator mark
    bool enabled = true;
    TBarItemState state = TBarItemState::Normal;
};

// One item over the band that is already painted under it: a hot or pressed item is framed in
// the skin's button highlight colour; the caption is centred, in the menu bar text colour or,
// disabled, the button shadow colour.
void PaintMenuBarItem(QPainter& painter, const TSkinData& skin, const QRect& item,
                      const TMenuBarItemLook& look, const QFont& font);

} // namespace orvik
