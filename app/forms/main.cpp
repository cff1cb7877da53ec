#include "MainWindow.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <clocale>

int main(int argc, char* argv[]) {
    // The video widgets share one OpenGL context with the player's renderer.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvik"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvik"));
    // The player reads numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");

    TfrmMain frmMain;
    frmMain.show();
    return app.exec();
}
