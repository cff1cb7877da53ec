#pragma once

#include <QString>

#include <functional>

class QMenu;
class QWidget;
class TSkinData;

namespace orvik {

// The window commands of a skinned window's system menu, in their menu order.
enum class TSystemCommand { Restore, Move, Size, Minimise, Maximise, Close };

// What the system menu of a window offers, read from the window at the moment it opens.
struct TSystemMenuState {
    bool maximised = false;
    bool minimised = false;
    bool sizeable = true;
    bool minimiseBox = true;
    bool maximiseBox = true;
};

// The state of a top-level window: its show state, whether its frame lets it be sized, and
// the boxes its window flags give it.
TSystemMenuState SystemMenuStateOf(const QWidget* window);

// Whether a command is offered: Restore unless the window is normal; Move and Size unless it
// is maximised (Size only for a sizeable frame, neither while minimised); Minimise when not
// minimised and the window has a minimise box; Maximise when not maximised and it has a
// maximise box; Close always.
bool SystemCommandEnabled(TSystemCommand command, const TSystemMenuState& state);

// Carries a command out on a window: the show state changes, Close closes it, Move and Size
// hand the window to the window manager's move or resize. False when the window manager
// refused a move or resize, or the command is not enabled.
bool RunSystemCommand(QWidget* window, TSystemCommand command);

// Fills a menu (cleared first) with the system menu of a window as it is now: Restore, Move,
// Size, Minimise, Maximise, a separator and Close, each enabled as above, Restore, Maximise,
// Minimise and Close with the skin's menu glyphs (none without a skin). Choosing an entry runs
// its command on the window. Meant to be called each time the menu is about to open.
void FillSystemMenu(QMenu& menu, QWidget* window, const TSkinData* skin);

// The entry of a command in a filled menu.
QString SystemCommandText(TSystemCommand command);

} // namespace orvik
