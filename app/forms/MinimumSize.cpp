#include "app/forms/MinimumSize.h"

#include "ui_MainWindow.h"

#include <QFontMetrics>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>

#include <algorithm>

namespace orvik {

namespace {

int textWidth(const QWidget& w, const QString& text) {
    return QFontMetrics(w.font()).horizontalAdvance(text) + 4;
}

} // namespace

QSize readableMinimumSize(const Ui::TfrmMain& ui, const QMainWindow& window) {
    // The player side. The volume box keeps its distance from the right edge.
    const int volumeRight = ui.Panel1->property("anchorRightMargin").toInt();
    const int controls = ui.cmdStop->geometry().right() + 1 + 8 + ui.Panel1->width() + volumeRight;
    // The status text starts right of "Report a problem" and keeps a margin on the right.
    const int statusRight = ui.lblStatusText->property("stretchRightMargin").toInt();
    const int status =
        ui.Button4->geometry().right() + 1 + 8 +
        textWidth(*ui.lblStatusText, QStringLiteral("Please wait, loading channel...")) +
        statusRight;
    const int note = ui.Label9->x() + textWidth(*ui.Label9, ui.Label9->text()) +
                     ui.Label9->property("stretchRightMargin").toInt();
    const int player = std::max({controls, status, note});
    const int width = ui.pnlLeft->width() + ui.SplitterLeft->width() + player;

    // The left side: tabs, the search choices and a few rows of a list above the information
    // panel; the player side: the status line, a strip of picture and the controls.
    const int rows = 4 * QFontMetrics(ui.lsvResults->font()).height() + 8;
    const int left = ui.PageControl->tabBar()->sizeHint().height() + ui.Panel2->height() + rows +
                     ui.pnlStationInfo->height();
    const int right = ui.lblStatus->height() + 120 + ui.pnlControls->height();
    const int menu = window.menuBar() ? window.menuBar()->sizeHint().height() : 0;
    return {width, menu + std::max(left, right)};
}

} // namespace orvik
