#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

namespace orvik {

// The main image list: 0 and 1 media documents, 2 a gold star, 3 a globe, 4 a yellow folder
// (16 x 16 with alpha).
QList<QIcon> stationImages();

// Button glyphs: a blue right-pointing triangle and a blue square, grey when disabled.
QIcon playGlyph();
QIcon stopGlyph();

// The splash picture, 496 x 358.
QPixmap splashPicture();

} // namespace orvik
