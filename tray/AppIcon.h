#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

class QPainter;

// The program's icon: a small television whose screen sends out radio waves, drawn here at
// 32 x 32 pixels in two depths, like a classic program icon.
struct TOrvikIconImages {
    // 256 colours (an 8-bit palette image), fully transparent or fully opaque pixels only.
    QImage Colors256;
    // 32-bit ARGB with smooth edges.
    QImage TrueColor;
};

TOrvikIconImages OrvikIconImages();

// The sizes desktops ask for (icon themes, launchers, docks).
const QList<int>& OrvikIconSizes();

// The icon drawn for size x size pixels, 32-bit ARGB: every size is drawn for itself, its lines
// and edges on whole pixels, with fewer waves below 32 pixels.
QImage OrvikIconImage(int size);

// The same art unfitted, as a scalable picture, into a 32 x 32 unit area of the painter.
void PaintOrvikIcon(QPainter& painter);

// The icon for windows and the tray: the sizes up to 64 pixels, each drawn for itself. (A
// QIcon keeps one image per size, so the 256-colour image is not part of it.) Needs the
// QGuiApplication.
QIcon OrvikIcon();
