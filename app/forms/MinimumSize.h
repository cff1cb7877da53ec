#pragma once

#include <QSize>

namespace Ui {
class TfrmMain;
}
class QMainWindow;

namespace orvik {

// The smallest main window at which nothing covers anything and the texts read whole: the
// volume box clear of Play and Stop, the status line wide enough for its longest own text and
// its note, the left side with its tabs, the search choices, a few rows and the whole
// information panel. Measured with the fonts in use.
QSize readableMinimumSize(const Ui::TfrmMain& ui, const QMainWindow& window);

} // namespace orvik
