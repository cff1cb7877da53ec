// The nine-part painter on pictures made pixel by pixel: where each part of a frame lands,
// how the middle fills, what happens to margins that do not fit, see-through magenta, and
// that no pixel of the result is a blend of two source pixels.

#include "skin/data/NineSlice.h"
#include "skin/data/SkinObjects.h"
#include "tests/skindata/TestClasses.h"

#include <QPainter>
#include <QSet>
#include <QTest>

using orvik::DrawNineSlice;
using orvik::TCentreFill;

namespace {

const QRgb background = qRgb(10, 20, 30);
const QRgb magenta = qRgb(255, 0, 255);

// A 9 x 9 frame of nine 3 x 3 blocks, block (column i, row j) coloured part(i, j).
QRgb part(int i, int j) {
    return qRgb(40 + 60 * i, 40 + 60 * j, 100 + 20 * (i + 3 * j));
}
QImage nineBlocks() {
    QImage image(9, 9, QImage::Format_RGB32);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            image.setPixel(x, y, part(x / 3, y / 3));
    return image;
}

QImage canvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

QImage draw(const QImage& source, const QRect& frame, QSize target, const QMargins& margins,
            TCentreFill fill, bool seeThrough, QPoint at = {}) {
    QImage out = canvas(target + QSize(at.x(), at.y()));
    QPainter p(&out);
    DrawNineSlice(p, source, frame, QRect(at, target), margins, fill, seeThrough);
    p.end();
    return out;
}

QRgb px(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

} // namespace

void TestNineSlice::cornersStayEdgesStretch() {
    const QImage out = draw(nineBlocks(), QRect(0, 0, 9, 9), QSize(30, 20), QMargins(3, 3, 3, 3),
                            TCentreFill::Stretch, false, QPoint(5, 4));
    // Nothing outside the target.
    QCOMPARE(px(out, 4, 4), background);
    QCOMPARE(px(out, 5, 3), background);
    // The corners are the source's, 3 x 3 and unscaled.
    for (int d = 0; d < 3; ++d) {
        QCOMPARE(px(out, 5 + d, 4 + d), part(0, 0));
        QCOMPARE(px(out, 34 - d, 4 + d), part(2, 0));
        QCOMPARE(px(out, 5 + d, 23 - d), part(0, 2));
        QCOMPARE(px(out, 34 - d, 23 - d), part(2, 2));
    }
    // The edges run the whole length between the corners, 3 pixels thick.
    for (int x = 8; x <= 31; ++x) {
        QCOMPARE(px(out, x, 4), part(1, 0));
        QCOMPARE(px(out, x, 6), part(1, 0));
        QCOMPARE(px(out, x, 7), part(1, 1));
        QCOMPARE(px(out, x, 23), part(1, 2));
    }
    for (int y = 7; y <= 20; ++y) {
        QCOMPARE(px(out, 5, y), part(0, 1));
        QCOMPARE(px(out, 34, y), part(2, 1));
        QCOMPARE(px(out, 20, y), part(1, 1));
    }
}

void TestNineSlice::stretchIsNearestNeighbour() {
    // A centre of three distinct columns stretched to 9: each column three times, no blends.
    QImage source(3, 1, QImage::Format_RGB32);
    const QRgb c[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    for (int x = 0; x < 3; ++x)
        source.setPixel(x, 0, c[x]);
    const QImage out = draw(source, source.rect(), QSize(9, 4), {}, TCentreFill::Stretch, false);
    for (int x = 0; x < 9; ++x)
        for (int y = 0; y < 4; ++y)
            QCOMPARE(px(out, x, y), c[x / 3]);
    // Shrinking picks source pixels too.
    const QImage wide =
        draw(nineBlocks(), QRect(0, 0, 9, 9), QSize(4, 4), {}, TCentreFill::Stretch, false);
    QSet<QRgb> allowed;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            allowed.insert(part(i, j));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            QVERIFY2(allowed.contains(px(wide, x, y)), qPrintable(QString::number(x)));
}

void TestNineSlice::tileRepeatsFromTopLeft() {
    QImage source(2, 2, QImage::Format_RGB32);
    const QRgb a = qRgb(200, 10, 10), b = qRgb(10, 200, 10), c = qRgb(10, 10, 200),
               d = qRgb(200, 200, 10);
    source.setPixel(0, 0, a);
    source.setPixel(1, 0, b);
    source.setPixel(0, 1, c);
    source.setPixel(1, 1, d);
    const QImage tiled =
        draw(source, source.rect(), QSize(7, 5), {}, TCentreFill::Tile, false, QPoint(3, 2));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const QRgb want = y % 2 == 0 ? (x % 2 == 0 ? a : b) : (x % 2 == 0 ? c : d);
            QCOMPARE(px(tiled, 3 + x, 2 + y), want);
        }
    // The last, partial tile is clipped to the target.
    QCOMPARE(tiled.width(), 10);
    const QImage stretched =
        draw(source, source.rect(), QSize(8, 4), {}, TCentreFill::Stretch, false);
    QCOMPARE(px(stretched, 1, 0), a);
    QCOMPARE(px(stretched, 3, 1), a);
    QCOMPARE(px(stretched, 4, 0), b);
    QCOMPARE(px(stretched, 0, 2), c);
}

void TestNineSlice::marginsDroppedWhenTooSmall() {
    // 5 wide is less than 3 + 3: no left and right parts, the middle column fills the width;
    // the height still holds the top and bottom margins.
    const QImage narrow = draw(nineBlocks(), QRect(0, 0, 9, 9), QSize(5, 12), QMargins(3, 3, 3, 3),
                               TCentreFill::Stretch, false);
    // The frame's columns are all stretched across: left block at the left, right at the
    // right, the middle block in the middle, where kept margins would have put a corner.
    QCOMPARE(px(narrow, 0, 5), part(0, 1));
    QCOMPARE(px(narrow, 2, 5), part(1, 1));
    QCOMPARE(px(narrow, 4, 5), part(2, 1));
    // Top rows are still the top margin rows, unscaled: 3 rows of the top blocks.
    QCOMPARE(px(narrow, 2, 2), part(1, 0));
    QCOMPARE(px(narrow, 2, 3), part(1, 1));
    QCOMPARE(px(narrow, 2, 9), part(1, 2));
    // 5 high likewise for top and bottom.
    const QImage flat = draw(nineBlocks(), QRect(0, 0, 9, 9), QSize(12, 5), QMargins(3, 3, 3, 3),
                             TCentreFill::Stretch, false);
    QCOMPARE(px(flat, 1, 0), part(0, 0));
    QCOMPARE(px(flat, 1, 4), part(0, 2));
    QCOMPARE(px(flat, 6, 2), part(1, 1));
    // Margins larger than the frame are cut to it, never read outside the frame.
    const QImage huge = draw(nineBlocks(), QRect(0, 0, 9, 9), QSize(40, 40),
                             QMargins(20, 20, 20, 20), TCentreFill::Stretch, false);
    QCOMPARE(px(huge, 0, 0), part(0, 0));
    QCOMPARE(px(huge, 39, 39), background);
}

void TestNineSlice::seeThroughAgainstOpaque() {
    QImage source = nineBlocks();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            source.setPixel(x, y, magenta);
    const QImage opaque =
        draw(source, source.rect(), QSize(9, 9), QMargins(3, 3, 3, 3), TCentreFill::Stretch, false);
    QCOMPARE(px(opaque, 1, 1), magenta);
    const QImage clear =
        draw(source, source.rect(), QSize(9, 9), QMargins(3, 3, 3, 3), TCentreFill::Stretch, true);
    QCOMPARE(px(clear, 1, 1), background);
    QCOMPARE(px(clear, 4, 4), part(1, 1));
    // Opaque drawing replaces what was there, alpha included.
    QImage glass(9, 9, QImage::Format_ARGB32_Premultiplied);
    glass.fill(Qt::transparent);
    QPainter p(&glass);
    DrawNineSlice(p, nineBlocks(), QRect(0, 0, 9, 9), glass.rect(), {}, TCentreFill::Stretch,
                  false);
    p.end();
    QCOMPARE(qAlpha(glass.pixel(4, 4)), 255);
    QVERIFY(orvik::IsSeeThrough(magenta));
    QVERIFY(!orvik::IsSeeThrough(qRgb(255, 0, 254)));
}

void TestNineSlice::framesOfStripsAndStacks() {
    // Frame 2 of a side-by-side strip and of a stacked picture.
    QImage strip(6, 2, QImage::Format_RGB32);
    strip.fill(qRgb(1, 1, 1));
    QPainter sp(&strip);
    sp.fillRect(2, 0, 2, 2, QColor(0, 200, 0));
    sp.end();
    TDataSkinObject side(QStringLiteral("side"));
    side.Image = strip;
    side.FrameCount = 3;
    QCOMPARE(side.FrameRect(2), QRect(2, 0, 2, 2));
    QCOMPARE(side.FrameRect(4), QRect());
    TDataSkinObject stacked(QStringLiteral("stacked"), TCellLayout::Stacked);
    stacked.Image = strip.transformed(QTransform().rotate(90));
    stacked.FrameCount = 3;
    QCOMPARE(stacked.FrameSize(), QSize(2, 2));
    QCOMPARE(stacked.FrameRect(2), QRect(0, 2, 2, 2));

    QImage out = canvas(QSize(4, 4));
    QPainter p(&out);
    orvik::DrawElementCell(p, side, 2, out.rect(), TCentreFill::Stretch);
    p.end();
    QCOMPARE(px(out, 3, 3), qRgb(0, 200, 0));
    QImage out2 = canvas(QSize(4, 4));
    QPainter p2(&out2);
    orvik::DrawElementCell(p2, stacked, 2, out2.rect(), TCentreFill::Stretch);
    p2.end();
    QCOMPARE(px(out2, 0, 0), qRgb(0, 200, 0));
    // A count that does not describe a frame gives none.
    QCOMPARE(orvik::FrameRect(QSize(6, 2), 0, 1), QRect());
    QCOMPARE(orvik::FrameRect(QSize(2, 2), 3, 1), QRect());
}

void TestNineSlice::preparedCellsFollowThePicture() {
    TDataSkinObject e(QStringLiteral("e"));
    e.Image = QImage(4, 4, QImage::Format_RGB32);
    e.Image.fill(magenta);
    e.FrameCount = 1;
    e.Trans = 1;
    const QImage& first = e.Cells.Get(e.Image, true);
    const uchar* bits = first.constBits();
    QCOMPARE(qAlpha(first.pixel(0, 0)), 0);
    // Asked again for the same picture: the same prepared image, not a new conversion.
    QCOMPARE(e.Cells.Get(e.Image, true).constBits(), bits);
    // A new picture (a new skin) is prepared anew.
    e.Image = QImage(4, 4, QImage::Format_RGB32);
    e.Image.fill(qRgb(0, 0, 255));
    QCOMPARE(qAlpha(e.Cells.Get(e.Image, true).pixel(0, 0)), 255);
    QImage out = canvas(QSize(4, 4));
    QPainter p(&out);
    orvik::DrawElementCell(p, e, 1, out.rect(), TCentreFill::Stretch);
    p.end();
    QCOMPARE(px(out, 2, 2), qRgb(0, 0, 255));
    // An 8-bit picture is drawn like its 32-bit form.
    QImage indexed = nineBlocks().convertToFormat(QImage::Format_Indexed8);
    const QImage viaIndexed =
        draw(indexed, indexed.rect(), QSize(9, 9), {}, TCentreFill::Stretch, false);
    QCOMPARE(px(viaIndexed, 4, 4), part(1, 1));
}

void TestNineSlice::glyphsCentredWholeSeeThrough() {
    // A 3 x 3 glyph, magenta in its corner, centred unscaled in a 7 x 5 target: once prepared
    // for this call, once from prepared cells kept with the picture; both the same.
    QImage glyph(6, 3, QImage::Format_RGB32);
    glyph.fill(qRgb(0, 0, 200));
    glyph.setPixel(3, 0, magenta);
    for (int y = 0; y < 3; ++y)
        glyph.setPixel(5, y, qRgb(0, 150, 0));
    const QRect second(3, 0, 3, 3);
    QImage once = canvas(QSize(7, 5));
    QPainter p1(&once);
    orvik::DrawGlyphCentred(p1, glyph, second, once.rect());
    p1.end();
    const orvik::TPreparedCells cells;
    QImage kept = canvas(QSize(7, 5));
    QPainter p2(&kept);
    orvik::DrawGlyphCentred(p2, cells, glyph, second, kept.rect());
    p2.end();
    QCOMPARE(kept, once);
    QCOMPARE(px(kept, 2, 1), background); // the magenta corner leaves the target
    QCOMPARE(px(kept, 3, 1), qRgb(0, 0, 200));
    QCOMPARE(px(kept, 4, 3), qRgb(0, 150, 0));
    QCOMPARE(px(kept, 5, 2), background); // unscaled: nothing beyond the 3 x 3 glyph
    QCOMPARE(px(kept, 1, 2), background);
}
