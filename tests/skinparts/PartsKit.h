#pragma once

// Shared helpers of the skinned control part tests: the built skins, a skin without pictures,
// painting through a style into images, and comparisons with a skin's own cells.

#include "tests/skindata/SkinTestKit.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"

#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QtGlobal>

#include <memory>

namespace partstest {

inline QStringList builtSkinNames() {
    return {QStringLiteral("nightfall"), QStringLiteral("pebble"), QStringLiteral("ember"),
            QStringLiteral("lagoon")};
}

inline std::unique_ptr<TSkinData> builtSkin(const QString& name) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
    return skin;
}

// A skin with colours only: none of the control pictures.
inline std::unique_ptr<TSkinData> flatSkin() {
    skintest::PackageRecipe recipe;
    recipe.definition = QStringList{"[Colours]", "ButtonFace=200 201 202", "ButtonShadow=90 91 92",
                                    "ButtonText=10 10 10"};
    auto skin = std::make_unique<TSkinData>();
    skintest::loadInto(*skin, recipe);
    return skin;
}

inline QRgb rgb(QRgb px) {
    return px & 0xFFFFFFu;
}

// Paints one element of a style into an image of the option's size (filled with a colour no
// skin uses first).
inline QImage paintComplex(const QStyle& style, QStyle::ComplexControl cc,
                           const QStyleOptionComplex& o) {
    QImage img(o.rect.size(), QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    QPainter p(&img);
    style.drawComplexControl(cc, &o, &p, nullptr);
    return img;
}

inline QImage paintControl(const QStyle& style, QStyle::ControlElement ce, const QStyleOption& o,
                           QSize size = {}) {
    QImage img(size.isValid() ? size : o.rect.size(), QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    QPainter p(&img);
    style.drawControl(ce, &o, &p, nullptr);
    return img;
}

inline QImage paintPrimitive(const QStyle& style, QStyle::PrimitiveElement pe,
                             const QStyleOption& o) {
    QImage img(o.rect.size(), QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    QPainter p(&img);
    style.drawPrimitive(pe, &o, &p, nullptr);
    return img;
}

// How many opaque pixels of the picture's area differ from the painted target at `at`; -1 when
// the area has no opaque pixel.
inline int pictureMismatches(const QImage& painted, const QPoint& at, const QImage& picture,
                             const QRect& area) {
    int opaque = 0, wrong = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x) {
            const QRgb cell = picture.pixel(area.left() + x, area.top() + y);
            if (orvik::IsSeeThrough(cell))
                continue;
            ++opaque;
            if (rgb(painted.pixel(at.x() + x, at.y() + y)) != rgb(cell))
                ++wrong;
        }
    return opaque == 0 ? -1 : wrong;
}

// How many opaque pixels of the top-left corner block of frame k (its margins, or the whole
// frame for an element without margins, at most 4 x 4) differ between the painted target's
// top-left corner and the cell. -1 when the cell has no opaque pixel there.
inline int cornerMismatches(const QImage& painted, const QPoint& at, const TDataSkinObject& e,
                            int k, QSize block = {}) {
    const QRect f = e.FrameRect(k);
    if (!block.isValid())
        block = QSize(e.LeftWidth > 0 ? e.LeftWidth : std::min(4, f.width()),
                      e.TopHeight > 0 ? e.TopHeight : std::min(4, f.height()));
    return pictureMismatches(painted, at, e.Image, QRect(f.topLeft(), block));
}

// The same over a whole frame drawn 1:1 at `at`.
inline int cellMismatches(const QImage& painted, const QPoint& at, const TDataSkinObject& e,
                          int k) {
    return cornerMismatches(painted, at, e, k, e.FrameRect(k).size());
}

// Every pixel of an area in one colour.
inline bool allOf(const QImage& img, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgb(img.pixel(x, y)) != rgb(colour))
                return false;
    return true;
}

inline QStyleOptionSlider scrollOption(QRect rect, int value,
                                       QStyle::SubControl active = QStyle::SC_None,
                                       QStyle::State extra = {}) {
    QStyleOptionSlider o;
    o.rect = rect;
    o.orientation = rect.width() > rect.height() ? Qt::Horizontal : Qt::Vertical;
    o.minimum = 0;
    o.maximum = 100;
    o.pageStep = 60;
    o.sliderPosition = o.sliderValue = value;
    o.subControls = QStyle::SC_All;
    o.activeSubControls = active;
    o.state = QStyle::State_Enabled | extra;
    if (o.orientation == Qt::Horizontal)
        o.state |= QStyle::State_Horizontal;
    return o;
}

// Where a widget's grab is kept for a look when ORVIK_SHOTS names a folder.
inline void keepShot(const QImage& image, const QString& name) {
    const QString dir = qEnvironmentVariable("ORVIK_SHOTS");
    if (!dir.isEmpty())
        image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace partstest
