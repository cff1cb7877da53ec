// Each family painted from hand-made options in each state, sampled against a built skin's
// own cells.

#include "tests/skinparts/TestSkinParts.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/style/ProgressStyle.h"
#include "skin/draw/style/ScrollBarStyle.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/SliderStyle.h"

#include <QLabel>
#include <QTest>

using namespace orvik;
using namespace orvik::style;
using namespace partstest;

namespace {

void scrollBarStates(const TSkinStyle& style, const TSkinData& skin) {
    const TDataSkinObject& arrows = *skin.Scrollbar();
    const TDataSkinObject& thumb = *skin.VertScrollThumb();
    const QRect rect(0, 0, ScrollBarExtent(skin), 200);
    struct Case {
        QStyle::SubControl active;
        QStyle::State state;
        int up, down, thumb, grip;
    };
    const Case cases[] = {
        {QStyle::SC_None, {}, 9, 13, 1, 20},
        {QStyle::SC_ScrollBarSubLine, QStyle::State_Sunken, 10, 13, 1, 20},
        {QStyle::SC_ScrollBarAddLine, QStyle::State_MouseOver, 9, 16, 1, 20},
        {QStyle::SC_ScrollBarSlider, QStyle::State_Sunken, 9, 13, 2, 21},
        {QStyle::SC_ScrollBarSlider, QStyle::State_MouseOver, 9, 13, 3, 22},
    };
    for (const Case& c : cases) {
        const QStyleOptionSlider o = scrollOption(rect, 50, c.active, c.state);
        const QImage img = paintComplex(style, QStyle::CC_ScrollBar, o);
        const TScrollRects r =
            ScrollBarRects(rect, Qt::Vertical, 0, 100, 50, 60, false, ScrollBarExtent(skin));
        QCOMPARE(cellMismatches(img, r.subLine.topLeft(), arrows, c.up), 0);
        QCOMPARE(cellMismatches(img, r.addLine.topLeft(), arrows, c.down), 0);
        QCOMPARE(cornerMismatches(img, r.slider.topLeft(), thumb, c.thumb), 0);
        // The grip sits in the middle of the thumb.
        const QRect g = arrows.FrameRect(c.grip);
        const QPoint at(r.slider.left() + (r.slider.width() - g.width()) / 2,
                        r.slider.top() + (r.slider.height() - g.height()) / 2);
        QCOMPARE(cellMismatches(img, at, arrows, c.grip), 0);
        // The track shows between the arrows and the thumb.
        const TDataSkinObject& track = *skin.VertScroll();
        QCOMPARE(cornerMismatches(img, r.subPage.topLeft(), track, trackcell::Enabled,
                                  QSize(track.FrameWidth(), 4)),
                 0);
    }
    // A disabled bar: disabled arrows and track, no thumb.
    QStyleOptionSlider off = scrollOption(rect, 50);
    off.state &= ~QStyle::State_Enabled;
    const QImage img = paintComplex(style, QStyle::CC_ScrollBar, off);
    QCOMPARE(cellMismatches(img, QPoint(0, 0), arrows, scrollcell::Up + scrollcell::ArrowDisabled),
             0);
    const TDataSkinObject& track = *skin.VertScroll();
    QCOMPARE(cornerMismatches(img, QPoint(0, 100), track, trackcell::Disabled,
                              QSize(track.FrameWidth(), 4)),
             0);
    // A horizontal bar takes the left and right arrows.
    const QStyleOptionSlider h = scrollOption(QRect(0, 0, 200, ScrollBarExtent(skin)), 0);
    const QImage himg = paintComplex(style, QStyle::CC_ScrollBar, h);
    QCOMPARE(cellMismatches(himg, QPoint(0, 0), arrows, scrollcell::Left), 0);
    QCOMPARE(
        cellMismatches(himg, QPoint(200 - ScrollBarExtent(skin), 0), arrows, scrollcell::Right), 0);
}

void sliderStates(const TSkinStyle& style, const TSkinData& skin) {
    for (const auto& [extra, cell] : {std::pair{QStyle::State(), slidercell::Normal},
                                      {QStyle::State_MouseOver, slidercell::Hot},
                                      {QStyle::State_Sunken, slidercell::Pressed}}) {
        QStyleOptionSlider o =
            scrollOption(QRect(0, 0, 150, 24), 50, QStyle::SC_SliderHandle, extra);
        o.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        const QImage img = paintComplex(style, QStyle::CC_Slider, o);
        QRect thumb;
        QVERIFY(SliderSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle,
                                     TStyleCall{style, skin, &o, nullptr, nullptr}, thumb));
        QCOMPARE(thumb.size(), skin.TrackbarThumbHorz()->FrameSize());
        QCOMPARE(cellMismatches(img, thumb.topLeft(), *skin.TrackbarThumbHorz(), cell), 0);
        // The channel's start, 1:1, left of the thumb.
        const TDataSkinObject& track = *skin.Track();
        const int y = (24 - track.FrameHeight()) / 2;
        QCOMPARE(cornerMismatches(img, QPoint(thumb.width() / 2, y), track, 1,
                                  QSize(track.LeftWidth, track.FrameHeight())),
                 0);
    }
    QStyleOptionSlider v = scrollOption(QRect(0, 0, 24, 150), 50);
    v.subControls = QStyle::SC_SliderHandle;
    v.state &= ~QStyle::State_Enabled;
    const QImage img = paintComplex(style, QStyle::CC_Slider, v);
    QRect thumb;
    QVERIFY(SliderSubControlRect(QStyle::CC_Slider, QStyle::SC_SliderHandle,
                                 TStyleCall{style, skin, &v, nullptr, nullptr}, thumb));
    QCOMPARE(cellMismatches(img, thumb.topLeft(), *skin.TrackbarThumbVert(), slidercell::Disabled),
             0);
}

void tabStates(const TSkinStyle& style, const TSkinData& skin) {
    const TDataSkinBorder& tabs = *skin.Tabs();
    const QSize cell = tabs.FrameSize();
    for (const auto& [state, k] :
         {std::pair{QStyle::State(QStyle::State_Selected), tabcell::Selected},
          {QStyle::State(), tabcell::Normal},
          {QStyle::State_MouseOver, tabcell::Hot}}) {
        QStyleOptionTab t;
        t.rect = QRect(QPoint(0, 0), cell);
        t.state = QStyle::State_Enabled | state;
        t.shape = QTabBar::RoundedNorth;
        QCOMPARE(cellMismatches(paintControl(style, QStyle::CE_TabBarTabShape, t), {}, tabs, k), 0);
        t.shape = QTabBar::RoundedSouth;
        QCOMPARE(
            cellMismatches(paintControl(style, QStyle::CE_TabBarTabShape, t).mirrored(false, true),
                           {}, tabs, k),
            0);
        t.shape = QTabBar::RoundedWest;
        t.rect = QRect(QPoint(0, 0), cell.transposed());
        const QImage west = paintControl(style, QStyle::CE_TabBarTabShape, t);
        QCOMPARE(cellMismatches(west.transformed(QTransform().rotate(90)), {}, tabs, k), 0);
    }
    // The page border's corner from the pane picture.
    QStyleOptionTabWidgetFrame pane;
    pane.rect = QRect(0, 0, 200, 120);
    pane.state = QStyle::State_Enabled;
    const TDataSkinObject& p = *skin.TabPane();
    QVERIFY(tabs.Style == 1); // our skins draw the pane from Tab.Pane
    QCOMPARE(cornerMismatches(paintPrimitive(style, QStyle::PE_FrameTabWidget, pane), {}, p, 1), 0);
}

void headerAndStatus(const TSkinStyle& style, const TSkinData& skin) {
    const TDataSkinObject& header = *skin.Headerbar();
    for (const auto& [state, k] : {std::pair{QStyle::State(), headercell::Normal},
                                   {QStyle::State_MouseOver, headercell::Hot},
                                   {QStyle::State_Sunken, headercell::Pressed}}) {
        QStyleOptionHeader h;
        h.rect = QRect(0, 0, 90, header.FrameHeight());
        h.state = QStyle::State_Enabled | state;
        QCOMPARE(cornerMismatches(paintControl(style, QStyle::CE_HeaderSection, h), {}, header, k),
                 0);
    }

    const TDataSkinObject& edges = *skin.StatusBarEdges();
    QLabel panel;
    for (const auto& [bevel, k] : {std::pair{"lowered", statuscell::Lowered},
                                   {"raised", statuscell::Raised},
                                   {"none", statuscell::Flat}}) {
        panel.setProperty("Bevel", QString::fromLatin1(bevel));
        QStyleOption o;
        o.rect = QRect(0, 0, 80, 20);
        QImage img(o.rect.size(), QImage::Format_RGB32);
        QPainter p(&img);
        style.drawPrimitive(QStyle::PE_FrameStatusBarItem, &o, &p, &panel);
        p.end();
        QCOMPARE(cornerMismatches(img, {}, edges, k), 0);
    }
    const TDataSkinObject& extra = *skin.ExtraImages();
    QStyleOptionSizeGrip grip;
    grip.rect = QRect(0, 0, 20, 20);
    grip.corner = Qt::BottomRightCorner;
    const QRect g = extra.FrameRect(extracell::SizeGrip);
    QCOMPARE(cellMismatches(paintControl(style, QStyle::CE_SizeGrip, grip),
                            QPoint(20 - g.width(), 20 - g.height()), extra, extracell::SizeGrip),
             0);
}

void progressStates(const TSkinStyle& style, const TSkinData& skin) {
    const TDataSkinBorder& e = *skin.Progress();
    QStyleOptionProgressBar o;
    o.rect = QRect(0, 0, 200, e.FrameHeight());
    o.maximum = 10;
    o.progress = 5;
    o.state = QStyle::State_Enabled | QStyle::State_Horizontal;
    QCOMPARE(cornerMismatches(paintControl(style, QStyle::CE_ProgressBarGroove, o), {}, e,
                              progresscell::Trough),
             0);
    const QImage bar = paintControl(style, QStyle::CE_ProgressBarContents, o);
    QCOMPARE(cornerMismatches(bar, {}, e, progresscell::Bar), 0);
    QCOMPARE(ProgressFilled(o.rect, 0, 10, 5, false), QRect(0, 0, 100, e.FrameHeight()));
    QCOMPARE(ProgressFilled(o.rect, 0, 10, 5, true), QRect(100, 0, 100, e.FrameHeight()));
    // Right of the bar nothing is painted by the contents.
    QVERIFY(allOf(bar, QRect(101, 0, 99, e.FrameHeight()), qRgb(1, 2, 3)));
}

} // namespace

void TestSkinParts::skins() {
    QFETCH(QString, name);
    auto skin = builtSkin(name);
    QVERIFY(!skin->Loading());
    TSkinStyle style(skin.get());
    scrollBarStates(style, *skin);
    sliderStates(style, *skin);
    tabStates(style, *skin);
    headerAndStatus(style, *skin);
    progressStates(style, *skin);
}
