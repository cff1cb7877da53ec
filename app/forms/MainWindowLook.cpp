// The main window's fonts, colours, glyphs and tab sizes, and its minimum size.
#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/forms/AlignPanel.h"
#include "app/forms/Artwork.h"
#include "app/forms/MinimumSize.h"
#include "app/player/WebBrowser.h"

#include <QApplication>
#include <QTabBar>

void TfrmMain::SetUpLook() {
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    const QList<QIcon> images = orvik::stationImages();
    ui->PageControl->setTabIcon(0, images.value(3));
    ui->PageControl->setTabIcon(1, images.value(2));
    ui->PageControl->setTabIcon(2, images.value(4));
    ui->cmdPlay->setIcon(orvik::playGlyph());
    ui->cmdStop->setIcon(orvik::stopGlyph());
    ui->tvStations->setIconSize(QSize(16, 16));

    // The player area: browser at the back, the black panel in front of it, then the status.
    ui->pnlPlayer->setAutoFillBackground(true);
    ui->pnlBlack->setAutoFillBackground(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->pnlPlayer), static_cast<QWidget*>(ui->pnlBlack)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, Qt::black);
        w->setPalette(pal);
    }
    WebBrowser = new TWebBrowser(ui->pnlPlayer);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    TAlignPanel::setAlign(WebBrowser, QStringLiteral("client"));
    WebBrowser->lower();
    QFont statusFont(QStringLiteral("Verdana"));
    statusFont.setPixelSize(19);
    ui->lblStatusText->setFont(statusFont);
    QFont noteFont(QStringLiteral("Verdana"));
    noteFont.setPixelSize(9);
    ui->Label9->setFont(noteFont);
    ui->Button4->setFont(noteFont);
    // The status panel has the face colour of the buttons, not the black of the player area.
    ui->lblStatus->setAutoFillBackground(true);
    QPalette statusPal = ui->lblStatus->palette();
    statusPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    statusPal.setColor(QPalette::WindowText, Qt::black);
    ui->lblStatus->setPalette(statusPal);
    // Three tabs share the 225 pixels of the left side.
    ui->PageControl->tabBar()->setUsesScrollButtons(false);
    ui->PageControl->tabBar()->setExpanding(false);
    ui->PageControl->setIconSize(QSize(14, 14));
    ui->PageControl->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 1px; min-width: 0px; font-size: 11px; }"));
    setMinimumSize(orvik::readableMinimumSize(*ui, *this));
}
