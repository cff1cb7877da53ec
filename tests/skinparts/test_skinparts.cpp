// The scroll bar, track bar, tab, header, status bar and progress bar families of the skin
// style, painted into images from hand-made options in each state and sampled against the
// cells of every built skin; their geometry as values; Fusion's look without pictures; the
// contrast of their texts; and real widgets (a tree's bars, a tab widget, a status bar).

#include "tests/skinparts/TestSkinParts.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/style/ProgressStyle.h"
#include "skin/draw/style/ScrollBarStyle.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/SliderStyle.h"
#include "skin/draw/style/TabStyle.h"

#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace orvik;
using namespace orvik::style;
using namespace partstest;

namespace {

// The least contrast between a text colour and the opaque pixels inside a frame's margins.
double leastContrast(const TDataSkinObject& e, int k, const QColor& text) {
    const QRect inner = e.FrameRect(k).marginsRemoved(e.Margins());
    double least = 21;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const QRgb px = e.Image.pixel(x, y);
            if (!IsSeeThrough(px))
                least = std::min(least, ContrastRatio(text, QColor(px)));
        }
    return least;
}

} // namespace

void TestSkinParts::scrollBarGeometry() {
    const TScrollRects r =
        ScrollBarRects(QRect(0, 0, 16, 200), Qt::Vertical, 0, 100, 0, 10, false, 16);
    QCOMPARE(r.subLine, QRect(0, 0, 16, 16));
    QCOMPARE(r.addLine, QRect(0, 184, 16, 16));
    QCOMPARE(r.groove, QRect(0, 16, 16, 168));
    QCOMPARE(r.slider, QRect(0, 16, 16, 16)); // 15 by share, held at the minimum
    QCOMPARE(r.subPage.height(), 0);
    QCOMPARE(r.addPage, QRect(0, 32, 16, 152));

    const TScrollRects end =
        ScrollBarRects(QRect(10, 5, 300, 16), Qt::Horizontal, 0, 100, 100, 100, false, 16);
    QCOMPARE(end.slider.right(), end.groove.right());
    QCOMPARE(end.slider.width(), 268 * 100 / 200);

    // A bar shorter than two arrows: half each, no track, no thumb.
    const TScrollRects tiny =
        ScrollBarRects(QRect(0, 0, 16, 20), Qt::Vertical, 0, 10, 5, 1, false, 16);
    QCOMPARE(tiny.subLine, QRect(0, 0, 16, 10));
    QCOMPARE(tiny.addLine, QRect(0, 10, 16, 10));
    QVERIFY(tiny.slider.isEmpty());

    // An empty range: the thumb fills the track.
    const TScrollRects full =
        ScrollBarRects(QRect(0, 0, 16, 100), Qt::Vertical, 0, 0, 0, 10, false, 16);
    QCOMPARE(full.slider, full.groove);
}

void TestSkinParts::sliderGeometry() {
    const TSliderRects mid =
        SliderRects(QRect(0, 0, 150, 24), Qt::Horizontal, 0, 20, 10, false, QSize(11, 20), 4);
    QCOMPARE(mid.thumb, QRect(70, 2, 11, 20)); // 139 * 10 / 20, rounded
    QCOMPARE(mid.channel, QRect(5, 10, 139, 4));
    // Ticks below: the thumb keeps to the top; a vertical bar counts from the bottom.
    const TSliderRects top =
        SliderRects(QRect(0, 0, 150, 30), Qt::Horizontal, 0, 20, 0, false, QSize(11, 20), 4, 1);
    QCOMPARE(top.thumb, QRect(0, 0, 11, 20));
    const TSliderRects vert =
        SliderRects(QRect(0, 0, 24, 100), Qt::Vertical, 0, 10, 0, false, QSize(11, 20), 4);
    QCOMPARE(vert.thumb, QRect(2, 89, 20, 11));
}

void TestSkinParts::tabSideTurns() {
    QImage top(4, 2, QImage::Format_RGB32);
    top.fill(Qt::white);
    top.setPixel(0, 0, qRgb(255, 0, 0)); // top-left
    QCOMPARE(rgb(TurnForTabSide(top, QTabBar::RoundedSouth).pixel(0, 1)), 0xFF0000u);
    const QImage west = TurnForTabSide(top, QTabBar::RoundedWest);
    QCOMPARE(west.size(), QSize(2, 4));
    QCOMPARE(rgb(west.pixel(0, 3)), 0xFF0000u); // the top edge faces left
    const QImage east = TurnForTabSide(top, QTabBar::RoundedEast);
    QCOMPARE(rgb(east.pixel(1, 0)), 0xFF0000u); // the top edge faces right
    const QMargins m(1, 2, 3, 4);
    QCOMPARE(TurnMarginsForTabSide(m, QTabBar::RoundedSouth), QMargins(1, 4, 3, 2));
    QCOMPARE(TurnMarginsForTabSide(m, QTabBar::RoundedWest), QMargins(2, 3, 4, 1));
    QCOMPARE(TurnMarginsForTabSide(m, QTabBar::RoundedEast), QMargins(4, 1, 2, 3));
}

void TestSkinParts::skins_data() {
    QTest::addColumn<QString>("name");
    for (const QString& n : builtSkinNames())
        QTest::newRow(qPrintable(n)) << n;
}

void TestSkinParts::fallbackWithoutPictures() {
    auto skin = flatSkin();
    QVERIFY(!skin->Loading());
    TSkinStyle style(skin.get());
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));

    const QStyleOptionSlider bar = scrollOption(QRect(0, 0, 16, 120), 30);
    QCOMPARE(paintComplex(style, QStyle::CC_ScrollBar, bar),
             paintComplex(*fusion, QStyle::CC_ScrollBar, bar));

    QStyleOptionTab tab;
    tab.rect = QRect(0, 0, 60, 24);
    tab.text = QStringLiteral("Search");
    tab.state = QStyle::State_Enabled | QStyle::State_Selected;
    QCOMPARE(paintControl(style, QStyle::CE_TabBarTabShape, tab),
             paintControl(*fusion, QStyle::CE_TabBarTabShape, tab));

    QStyleOptionHeader header;
    header.rect = QRect(0, 0, 80, 20);
    header.state = QStyle::State_Enabled | QStyle::State_MouseOver;
    QCOMPARE(paintControl(style, QStyle::CE_HeaderSection, header),
             paintControl(*fusion, QStyle::CE_HeaderSection, header));

    QStyleOptionProgressBar progress;
    progress.rect = QRect(0, 0, 120, 18);
    progress.maximum = 10;
    progress.progress = 4;
    progress.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    QCOMPARE(paintControl(style, QStyle::CE_ProgressBarGroove, progress),
             paintControl(*fusion, QStyle::CE_ProgressBarGroove, progress));
    QCOMPARE(paintControl(style, QStyle::CE_ProgressBarContents, progress),
             paintControl(*fusion, QStyle::CE_ProgressBarContents, progress));

    // The track bar thumb without a picture: a rectangle in the shadow colour.
    QStyleOptionSlider slider = scrollOption(QRect(0, 0, 150, 24), 50);
    slider.subControls = QStyle::SC_SliderHandle;
    const QImage s = paintComplex(style, QStyle::CC_Slider, slider);
    QRect thumb;
    QVERIFY(SliderSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle,
                                 TStyleCall{style, *skin, &slider, nullptr, nullptr}, thumb));
    QVERIFY(allOf(s, thumb, ToQColor(skin->ButtonShadowColor()).rgb()));
}

void TestSkinParts::textContrast() {
    QFETCH(QString, name);
    auto skin = builtSkin(name);
    QVERIFY(!skin->Loading());
    const TDataSkinBorder& tabs = *skin->Tabs();
    for (int k : {tabcell::Normal, tabcell::Selected})
        QVERIFY2(leastContrast(tabs, k, ToQColor(tabs.NormalColour2)) >= 4.5, "tab text");
    for (int k : {tabcell::Hot, tabcell::SelectedHot})
        QVERIFY2(leastContrast(tabs, k, ToQColor(tabs.MouseOverColour2)) >= 4.5, "hot tab text");
    const TDataSkinObject& header = *skin->Headerbar();
    QVERIFY2(leastContrast(header, headercell::Normal, ToQColor(header.NormalColour2)) >= 4.5,
             "header text");
    QVERIFY2(leastContrast(header, headercell::Hot, ToQColor(header.MouseOverColour2)) >= 4.5,
             "hot header text");
    QVERIFY2(leastContrast(header, headercell::Pressed, ToQColor(header.PressedColour2)) >= 4.5,
             "pressed header text");
    const TDataSkinObject& status = *skin->StatusBarEdges();
    for (int k : {statuscell::Lowered, statuscell::Raised, statuscell::Flat})
        QVERIFY2(leastContrast(status, k, ToQColor(status.NormalColour2)) >= 4.5, "status text");

    // The percentage of a progress bar, over the trough and over the bar.
    const TDataSkinBorder& progress = *skin->Progress();
    const std::initializer_list<QColor> inks = {ToQColor(skin->ButtonTextColor()),
                                                ToQColor(skin->HilightTextColor()),
                                                QColor(Qt::black), QColor(Qt::white)};
    for (int k : {progresscell::Trough, progresscell::Bar}) {
        const QColor under(progress.Image.pixel(progress.FrameRect(k).center()));
        QVERIFY2(ContrastRatio(ReadableOn(under, inks), under) >= 4.5, "progress text");
    }
}

QTEST_MAIN(TestSkinParts)
#include "test_skinparts.moc"
