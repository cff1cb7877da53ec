#pragma once

// A small hand-made skin whose every frame is one flat colour, so that a composed frame can be
// read back cell by cell, with a caption button for each Align.

#include "tests/skindata/SkinTestKit.h"

#include "skin/data/SkinData.h"

#include <memory>

namespace frametest {

// Border frames: active, inactive.
inline const QColor LeftActive(200, 10, 10), LeftInactive(100, 10, 10);
inline const QColor RightActive(10, 200, 10), RightInactive(10, 100, 10);
inline const QColor TopActive(10, 10, 200), TopInactive(10, 10, 100);
inline const QColor BottomActive(200, 200, 10), BottomInactive(100, 100, 10);
inline const QColor PlateActive(30, 160, 160), PlateInactive(30, 80, 80);
// Caption button frames: normal, pressed, hot, inactive.
inline const QList<QColor> ButtonCells{QColor(250, 250, 250), QColor(0, 0, 0), QColor(250, 120, 0),
                                       QColor(120, 120, 120)};
constexpr int ButtonW = 12, ButtonH = 10;

inline QImage stacked(int w, int h, const QColor& a, const QColor& b) {
    QImage image(w, 2 * h, QImage::Format_RGB32);
    image.fill(a);
    for (int y = h; y < 2 * h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, b.rgb());
    return image;
}

struct ButtonSpec {
    const char* name;
    int action, align, x, y, visibility;
};

// Left 6, right 5, title 24, bottom 3 pixels; caption text shifted 40 in, 50 kept at the right,
// a plate with 3-pixel ends. transparent: all parts carry the transparency flag, and the left
// part has a magenta top-left pixel in both frames.
inline skintest::PackageRecipe makeRecipe(const QList<ButtonSpec>& buttons,
                                          bool transparent = false, int alignment = 0) {
    skintest::PackageRecipe r;
    QImage left = skintest::strip(6, 40, {LeftActive, LeftInactive});
    if (transparent) {
        left.setPixel(0, 0, qRgb(255, 0, 255));
        left.setPixel(6, 0, qRgb(255, 0, 255));
    }
    r.pictures = {{"left.bmp", left},
                  {"right.bmp", skintest::strip(5, 40, {RightActive, RightInactive})},
                  {"top.bmp", stacked(30, 24, TopActive, TopInactive)},
                  {"bottom.bmp", stacked(30, 3, BottomActive, BottomInactive)},
                  {"plate.bmp", stacked(10, 24, PlateActive, PlateInactive)},
                  {"button.bmp", skintest::strip(ButtonW, ButtonH, ButtonCells)}};
    const QString trans = transparent ? QStringLiteral("1") : QStringLiteral("0");
    r.definition = QStringList{"[Personality]",
                               "Left=left.bmp",
                               "Right=right.bmp",
                               "Top=top.bmp",
                               "Bottom=bottom.bmp",
                               "LeftFrame=2",
                               "RightFrame=2",
                               "TopFrame=2",
                               "BottomFrame=2",
                               "LeftTopHeight=24",
                               "RightTopHeight=24",
                               "LeftBotHeight=4",
                               "RightBotHeight=4",
                               "LeftTrans=" + trans,
                               "RightTrans=" + trans,
                               "TopTrans=" + trans,
                               "BottomTrans=" + trans,
                               "TextBack=plate.bmp",
                               "Textbackground=1",
                               "TXTBackleft=3",
                               "TXTBackRight=3",
                               "TextShift=40",
                               "TextShiftVert=4",
                               "TextRightClip=50",
                               QStringLiteral("TextAlignment=%1").arg(alignment),
                               "[Colours]",
                               "TitleTextActive=255 255 255",
                               "TitleTextNoActive=0 0 0"};
    for (const ButtonSpec& b : buttons)
        r.definition << QStringLiteral("[%1]").arg(QLatin1String(b.name))
                     << QStringLiteral("Action=%1").arg(b.action)
                     << QStringLiteral("Align=%1").arg(b.align)
                     << QStringLiteral("Xcoord=%1").arg(b.x) << QStringLiteral("Ycoord=%1").arg(b.y)
                     << QStringLiteral("Visibility=%1").arg(b.visibility) << "Visibility1=0"
                     << "frame=4"
                     << "ButtonImage=button.bmp";
    return r;
}

inline std::unique_ptr<TSkinData> makeSkin(const QList<ButtonSpec>& buttons,
                                           bool transparent = false, int alignment = 0) {
    auto skin = std::make_unique<TSkinData>();
    skintest::loadInto(*skin, makeRecipe(buttons, transparent, alignment));
    return skin;
}

} // namespace frametest
