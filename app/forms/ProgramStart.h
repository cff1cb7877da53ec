#pragma once

// The program body's steps, apart so that tests can check them.
namespace orvik {

// The application's names: title "Orvik" (window titles carry nothing appended); the launcher
// orvik.desktop is the desktop file name (the window's application id on Wayland), and the
// application name "Orvik" is the class of its X11 windows, which the launcher names as
// StartupWMClass.
void nameApplication();

// One program per catalogue, then the main window until it closes: a start while the program
// runs on the same catalogue brings that program's window to the front and ends. The exit code.
int runProgram();

} // namespace orvik
