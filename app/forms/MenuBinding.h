#pragma once

class QAction;
class QString;

namespace orvik {

// Makes a menu entry follow an action: the entry takes the action's caption (unless it has a
// caption of its own), enabled, checked and visible state, and choosing it runs the action.
void bindMenuItem(QAction* item, QAction* action, bool ownCaption = false);

} // namespace orvik
