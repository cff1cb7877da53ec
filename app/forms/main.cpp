#include "app/forms/MainWindow.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <clocale>

int main(int argc, char* argv[]) {
    // No Qt::AA_ShareOpenGLContexts here: it would load the GL driver at start. The shared
    // context is made at the first picture or web page (EnsureSharedOpenGL).
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvik"));
    // The player reads numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    TfrmMain frmMain;
    frmMain.show();
    return app.exec();
}
