#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a small television whose screen sends out radio waves, drawn here at
// 32 x 32 pixels in two depths, like a classic program icon.
struct TOrvikIconImages {
    // 256 colours (an 8-bit palette image), fully transparent or fully opaque pixels only.
    QImage Colors256;
    // 32-bit ARGB with smooth edges.
    QImage TrueColor;
};

TOrvikIconImages OrvikIconImages();

// The icon for windows and the tray: the 32-bit image, and a 16 x 16 one scaled from it.
// (A QIcon keeps one image per size, so the 256-colour image is not part of it.) Needs the
// QGuiApplication.
QIcon OrvikIcon();
