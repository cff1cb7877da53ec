#pragma once

// Checks of a loaded skin's window frame that every skin of ours has to pass: where the border
// parts are see-through, and where the caption text and the caption buttons land on the title
// bar. Each check returns what it found wrong; an empty list means all is well.

#include "skin/data/SkinData.h"

#include <QList>
#include <QPair>
#include <QRect>
#include <QStringList>

namespace skintest {

// The title bar of a window as the caption painter lays it out: the caption text rectangle
// (the text with its plate) and the caption buttons shown, for a caption text width pixels
// wide in a window of the given width.
struct CaptionPlaces {
    int titleHeight = 0;
    QRect text;
    QList<QPair<const TDataSkinSysButton*, QRect>> buttons;
};
CaptionPlaces placeCaption(const TSkinData& skin, int windowWidth, int textWidth, bool maximised);

// A part without the transparency flag has no magenta (it would show as such); a part with it
// has magenta only where it is not stretched, so the curve of a corner keeps its shape; the
// outer corners are cut out exactly where the top and bottom parts say they are round.
QStringList cornerProblems(const TSkinData& skin);

// In narrow and wide windows, normal and maximised, with a short, a typical and the longest
// caption that fits: every caption button lies inside the title bar between the side borders,
// clear of the others and of the caption text.
QStringList captionProblems(const TSkinData& skin);

} // namespace skintest
