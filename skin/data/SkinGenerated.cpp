#include "skin/data/SkinGenerated.h"

#include "skin/data/NineSlice.h"

#include <QFile>
#include <QPainter>

#include <algorithm>
#include <mutex>

static void initSkinResources() {
    // The pictures live in a static library: pull its resources in explicitly.
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(skinres); });
}

namespace orvik {

QImage MirroredCopy(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32).mirrored(true, false);
}

void BuildComboComposite(TDataSkinObject& sunkEdge, TDataSkinObject& comboButton,
                         const TDataSkinObject* extra, int arrowWidth) {
    constexpr int cellWidth = 50;
    constexpr int cellHeight = 21;
    const int b = arrowWidth + 2;
    const int frames = std::max(0, sunkEdge.FrameCount);
    const QColor magenta(255, 0, 255);

    QImage strip(cellWidth * std::max(frames, 1), cellHeight, QImage::Format_RGB32);
    strip.fill(magenta);
    QImage work(cellWidth, cellHeight, QImage::Format_RGB32);
    const QRect whole(0, 0, cellWidth, cellHeight);
    const QRect buttonPart(cellWidth - b, 0, b, cellHeight);

    {
        QPainter stripPainter(&strip);
        stripPainter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int k = 1; k <= frames; ++k) {
            // A fresh work picture per frame: what the edge leaves transparent stays so.
            work.fill(magenta);
            QPainter p(&work);
            auto fill = [](const TDataSkinObject& e) {
                return e.Tile == 1 ? TCentreFill::Tile : TCentreFill::Stretch;
            };
            DrawElementCell(p, sunkEdge, k, whole, fill(sunkEdge));
            DrawElementCell(p, comboButton, k, buttonPart, fill(comboButton), true);
            if (extra)
                DrawGlyphCentred(p, extra->Image, extra->FrameRect(k), buttonPart);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            // The interior: left 2, top 2, right 49 - b, bottom 18, right and bottom excluded.
            p.fillRect(QRect(QPoint(2, 2), QPoint(49 - b - 1, 17)), magenta);
            p.end();
            stripPainter.drawImage(cellWidth * (k - 1), 0, work);
        }
    }

    const QMargins sunkMargins = sunkEdge.Margins();
    comboButton.Style = 2;
    comboButton.SetMargins(QMargins(2, sunkMargins.top(), b + 2, sunkMargins.bottom()));
    comboButton.Image = strip;

    sunkEdge.Image = strip.mirrored(true, false);
    sunkEdge.LeftWidth = b + 2;
    sunkEdge.RightWidth = 2;
}

int ToolbarSaturation(TColor face) {
    const int r = RedOf(face);
    const int g = GreenOf(face);
    const int b = BlueOf(face);
    if (r < 160 && g < 160 && b < 160)
        return 200;
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    if (mx == 0)
        return 0;
    // 255 * (mx - mn) / mx, rounded to the nearest, halves to even.
    const int num = 255 * (mx - mn);
    int q = num / mx;
    const int twiceRest = 2 * (num % mx);
    if (twiceRest > mx || (twiceRest == mx && (q % 2) == 1))
        ++q;
    return q;
}

TColor ToolbarTopColour(TColor buttonFace) {
    return Blend(buttonFace, clWhite, 150);
}

TColor ToolbarBottomColour(TColor frameColour) {
    const int s = ToolbarSaturation(frameColour);
    if (s > 110)
        return Blend(frameColour, clWhite, (5625 - 25 * s) / 140 + 50);
    return Blend(RGBColour(128, 128, 128), frameColour, 150);
}

TColor ToolbarFrameColour(const TDataSkinObject& topBorder, TColor buttonFace) {
    const QImage& image = topBorder.Image;
    if (image.isNull())
        return ResolveColour(buttonFace);
    // The border's frames are stacked; a count below 1 would not describe any frame.
    const int frames = std::max(1, topBorder.FrameCount);
    const QPoint at(image.width() / 3, (image.height() / frames) / 3);
    return FromQColor(image.pixelColor(at));
}

QImage VerticalGradient(TColor top, TColor bottom, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    top = ResolveColour(top);
    bottom = ResolveColour(bottom);
    const int n = height;
    auto channel = [n](int start, int end, int i) {
        if (n < 2)
            return start;
        return start + ((n - 1) / 2 + i * (end - start)) / (n - 1);
    };
    for (int i = 0; i < height; ++i) {
        const QRgb rgb =
            qRgb(channel(RedOf(top), RedOf(bottom), i), channel(GreenOf(top), GreenOf(bottom), i),
                 channel(BlueOf(top), BlueOf(bottom), i));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(i));
        std::fill(line, line + width, rgb);
    }
    return image;
}

std::unique_ptr<TDataSkinObject> BuildToolbarBack(const TDataSkinObject& topBorder,
                                                  TColor buttonFace) {
    const TColor f = ToolbarFrameColour(topBorder, buttonFace);
    auto element = std::make_unique<TDataSkinObject>(QStringLiteral("Toolbar"));
    element->Image = VerticalGradient(ToolbarTopColour(buttonFace), ToolbarBottomColour(f));
    element->FrameCount = 1;
    return element;
}

QImage BuiltInPicture(const QString& name) {
    initSkinResources();
    QImage image(QStringLiteral(":/skin/") + name, "BMP");
    return image.convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<TDataSkinObject> BuildTrackElement(const QString& name) {
    auto element = std::make_unique<TDataSkinObject>(name);
    element->Image = BuiltInPicture(name.toUpper());
    element->SetMargins(QMargins(3, 3, 3, 3));
    element->Tile = 0;
    element->FrameCount = 1;
    return element;
}

} // namespace orvik
