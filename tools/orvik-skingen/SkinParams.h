#pragma once

#include <QColor>
#include <QString>

// The few numbers and colours a skin is drawn from. Everything else in a skin (pressed and hot
// shades, outlines, text colours) is derived from these by the generator.
namespace skingen {

struct SkinParams {
    QString name;         // skin name, also the name of the definition entry
    QColor face;          // window and control background
    QColor accent;        // selection, focus, progress, hot highlights
    QColor text;          // preferred text colour (adjusted where it would not be readable)
    QColor title;         // title bar colour of an active window
    QColor field;         // background of text fields, check boxes and menus
    int corner = 6;       // radius of the window's top corners, 0 .. 12
    int bevel = 1;        // depth of the light and shadow edges, 0 .. 3
    double gloss = 0.4;   // strength of the glossy top half of bars and buttons, 0 .. 1
    int titleHeight = 26; // height of the title bar, 20 .. 40
    int titleLine = 0;    // accent line under an active window's title bar, 0 .. 3 pixels
    int border = 4;       // width of the sizeable border (left, right, bottom), 2 .. 10
    int bottomCorner = 0; // radius of the bottom corners, 0 .. 12 and at most 3 x border

    // Where the caption text sits: at the left after the system menu button, or centred.
    enum class CaptionAlign { Left, Centre };
    CaptionAlign captionAlign = CaptionAlign::Left;
    // Where the caption buttons sit: system menu at the left edge and the others at the
    // right edge, or beside the caption text (system menu before it, the others after it).
    enum class CaptionButtons { Edges, Around };
    CaptionButtons captionButtons = CaptionButtons::Edges;
};

// Reads a parameter set from a JSON file. Returns false with a readable message in error
// when the file cannot be read, is not a JSON object, has unknown keys or values out of range.
bool loadSkinParams(const QString& path, SkinParams& params, QString& error);
// The same for JSON text already in memory (path is only used in messages).
bool parseSkinParams(const QByteArray& json, const QString& path, SkinParams& params,
                     QString& error);

} // namespace skingen
