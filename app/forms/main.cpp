#include "app/forms/ProgramStart.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[]) {
    // No Qt::AA_ShareOpenGLContexts here: it would load the GL driver at start. The shared
    // context is made at the first picture or web page (EnsureSharedOpenGL).
    QApplication app(argc, argv);
    orvik::nameApplication();
    // The player reads numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    return orvik::runProgram();
}
