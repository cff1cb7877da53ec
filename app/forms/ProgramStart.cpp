#include "app/forms/ProgramStart.h"

#include "app/forms/MainWindow.h"
#include "app/forms/SingleInstance.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"

#include <QApplication>

namespace orvik {

void nameApplication() {
    // No display name of its own: Qt would append it to the title of every window ("Error —
    // Orvik"). It defaults to the application name, "Orvik".
    QApplication::setApplicationName(QStringLiteral("Orvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("orvik"));
}

int runProgram() {
    TSingleInstance instance(cataloguePath());
    if (!instance.Acquire()) {
        if (instance.ShowRunning())
            return 0;
        ShowError(
            QStringLiteral("Orvik is already running on the catalogue %s, but does not answer."),
            {cataloguePath()});
        return 1;
    }

    TfrmMain frmMain;
    QObject::connect(&instance, &TSingleInstance::ShowRequested, &frmMain, &TfrmMain::BringToFront);
    frmMain.show();
    return QApplication::exec();
}

} // namespace orvik
