#pragma once

#include <QByteArray>

// The skin stored with the main window, compiled into the program: a signed 32-bit
// little-endian length followed by a skin package (the form of TSkinData::ReadSkinStream).
QByteArray storedSkinStream();
