#include "app/forms/ProgramStart.h"

#include "app/forms/MainWindow.h"
#include "app/forms/SingleInstance.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"

#include <QApplication>

namespace orvik {

void nameApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvik"));
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
