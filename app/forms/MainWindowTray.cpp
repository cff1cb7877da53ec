// The main window's notification-area icon.
#include "app/forms/MainWindow.h"

#include "app/forms/TrayMenu.h"
#include "tray/AppIcon.h"
#include "tray/TrayIcon.h"

void TfrmMain::TrayIconDblClick() {
    TrayIcon->RestoreMainWindow();
}

void TfrmMain::BringToFront() {
    TrayIcon->RestoreMainWindow();
}

void TfrmMain::CreateTrayIcon() {
    TrayIcon = new TTrayIcon(this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    const TOrvikIconImages images = OrvikIconImages();
    TrayIcon->setIconList(
        {QIcon(QPixmap::fromImage(images.Colors256)), QIcon(QPixmap::fromImage(images.TrueColor))});
    TrayIcon->setIcon(OrvikIcon());
    TrayIcon->setHint(QStringLiteral("Orvik"));
    TrayIcon->setMinimizeToTray(true);
    TrayIcon->setCycleInterval(0);
    TrayIcon->setIconIndex(0);
    TrayIcon->OnDblClick = [this](TTrayIcon*) { TrayIconDblClick(); };
    new TTrayMenu(*this); // the icon's right-click menu
    TrayIcon->Loaded();
    setWindowIcon(OrvikIcon());
}
