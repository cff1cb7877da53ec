// Real widgets with the skin style: a tree's scroll bars and frame (also after its bar is
// replaced), a tab widget with close marks answered by the window, a status bar and a slider.

#include "tests/skinparts/TestSkinParts.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/style/ScrollBarStyle.h"
#include "skin/draw/style/SkinStyle.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace orvik;
using namespace orvik::style;
using namespace partstest;

namespace {

// A window that keeps or lets go of a tab whose close mark was clicked.
class TAnsweringWindow : public QWidget {
public:
    qintptr answer = 0;
    int asked = 0;
    qintptr askedTab = -1;

protected:
    bool event(QEvent* e) override {
        if (e->type() == SKM_TABCLOSE) {
            auto* m = static_cast<TSkinMessage*>(e);
            ++asked;
            askedTab = m->lParam;
            m->result = answer;
            return true;
        }
        return QWidget::event(e);
    }
};

// What the skinner factory does for a window: the style on every widget of it.
void skinAll(QWidget* root, QStyle* style) {
    root->setStyle(style);
    for (QWidget* w : root->findChildren<QWidget*>())
        w->setStyle(style);
}

QImage grabOf(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

void TestSkinParts::treeScrollBars() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* tree = new QTreeWidget;
    layout->addWidget(tree);
    tree->setHeaderLabels({QStringLiteral("Station"), QStringLiteral("Bitrate")});
    for (int i = 0; i < 200; ++i)
        new QTreeWidgetItem(tree, {QStringLiteral("Station %1 with a long name to scroll").arg(i),
                                   QStringLiteral("128")});
    tree->setColumnWidth(0, 600);
    window.resize(320, 240);
    skinAll(&window, &style);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QScrollBar* v = tree->verticalScrollBar();
    QTRY_VERIFY(v->isVisible() && tree->horizontalScrollBar()->isVisible());
    QCOMPARE(v->width(), ScrollBarExtent(*skin));
    const QImage img = grabOf(*tree);
    keepShot(img, QStringLiteral("tree-ember"));
    // The two-pixel frame: shadow outside, face inside.
    QCOMPARE(rgb(img.pixel(0, 60)), rgb(ToQColor(skin->ButtonShadowColor()).rgb()));
    QCOMPARE(rgb(img.pixel(1, 60)), rgb(ToQColor(skin->ButtonFaceColor()).rgb()));
    const QPoint up = v->mapTo(tree, QPoint(0, 0));
    QCOMPARE(cellMismatches(img, up, *skin->Scrollbar(), scrollcell::Up), 0);
    const QPoint down = v->mapTo(tree, QPoint(0, v->height() - v->width()));
    QCOMPARE(cellMismatches(img, down, *skin->Scrollbar(), scrollcell::Down), 0);
    // The corner square between the bars.
    const QPoint corner = v->mapTo(tree, QPoint(2, v->height() + 2));
    QCOMPARE(rgb(img.pixel(corner)), rgb(ToQColor(skin->ButtonFaceColor()).rgb()));

    // Pressing the down arrow shows it pressed while it is held.
    const QPoint arrow(v->width() / 2, v->height() - v->width() / 2);
    QTest::mousePress(v, Qt::LeftButton, {}, arrow);
    const QImage held = grabOf(*tree);
    QCOMPARE(
        cellMismatches(held, down, *skin->Scrollbar(), scrollcell::Down + scrollcell::ArrowPressed),
        0);
    QTest::mouseRelease(v, Qt::LeftButton, {}, arrow);
    QVERIFY(v->value() > 0);

    // A bar put in later is skinned too.
    auto* replacement = new QScrollBar(Qt::Vertical);
    tree->setVerticalScrollBar(replacement);
    QCOMPARE(replacement->style(), static_cast<QStyle*>(&style));
    QTRY_VERIFY(replacement->isVisible());
    const QImage again = grabOf(*tree);
    QCOMPARE(cellMismatches(again, replacement->mapTo(tree, QPoint(0, 0)), *skin->Scrollbar(),
                            scrollcell::Up),
             0);

    // Taking the style back gives the bars their system look.
    tree->setStyle(nullptr);
    QVERIFY(tree->verticalScrollBar()->style() != static_cast<QStyle*>(&style));
}

void TestSkinParts::tabWidgetCloseMarks() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    TSkinStyle style(skin.get());
    TAnsweringWindow window;
    auto* layout = new QVBoxLayout(&window);
    auto* pages = new QTabWidget;
    layout->addWidget(pages);
    for (const char* name : {"Stations", "Favorites", "Search"})
        pages->addTab(new QLabel(QString::fromLatin1(name)), QString::fromLatin1(name));
    pages->setTabsClosable(true);
    window.resize(360, 200);
    skinAll(&window, &style);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTabBar* bar = pages->tabBar();
    const QImage img = grabOf(*pages);
    keepShot(img, QStringLiteral("tabs-nightfall"));
    const QRect current = bar->tabRect(0).translated(bar->mapTo(pages, QPoint(0, 0)));
    QCOMPARE(cornerMismatches(img, current.topLeft(), *skin->Tabs(), tabcell::Selected), 0);
    const QRect other = bar->tabRect(1).translated(bar->mapTo(pages, QPoint(0, 0)));
    QCOMPARE(cornerMismatches(img, other.topLeft(), *skin->Tabs(), tabcell::Normal), 0);

    // The window keeps the page: it is asked and nothing goes.
    window.answer = 1;
    auto* close = bar->tabButton(2, QTabBar::RightSide);
    QVERIFY(close);
    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(window.asked, 1);
    QCOMPARE(window.askedTab, qintptr(2));
    QCOMPARE(pages->count(), 3);
    // The window leaves it: the page is freed.
    window.answer = 0;
    QPointer<QWidget> page = pages->widget(2);
    QTest::mouseClick(bar->tabButton(2, QTabBar::RightSide), Qt::LeftButton);
    QCOMPARE(pages->count(), 2);
    QTRY_VERIFY(page.isNull());

    // Bottom tabs: the current tab's picture mirrored.
    pages->setTabPosition(QTabWidget::South);
    QTRY_VERIFY(bar->tabRect(0).top() >= 0);
    const QImage south = grabOf(*pages);
    const QRect t = bar->tabRect(0).translated(bar->mapTo(pages, QPoint(0, 0)));
    QCOMPARE(
        cornerMismatches(south.copy(t).mirrored(false, true), {}, *skin->Tabs(), tabcell::Selected),
        0);
}

void TestSkinParts::statusBarAndSlider() {
    auto skin = builtSkin(QStringLiteral("lagoon"));
    TSkinStyle style(skin.get());
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, 20);
    slider->setValue(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setFixedSize(150, 30);
    auto* status = new QStatusBar;
    auto* panel = new QLabel(QStringLiteral("Playing"));
    status->addWidget(panel, 1);
    layout->addWidget(slider);
    layout->addWidget(status);
    const QPalette before = status->palette();
    window.resize(300, 120);
    skinAll(&window, &style);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    keepShot(grabOf(window), QStringLiteral("status-lagoon"));
    // The panel's text in the element's colour, its frame lowered.
    QCOMPARE(panel->palette().color(QPalette::WindowText),
             ToQColor(skin->StatusBarEdges()->NormalColour2));
    const QImage bar = grabOf(*status);
    const QPoint at = panel->geometry().adjusted(-2, -1, 2, 1).topLeft();
    QCOMPARE(cornerMismatches(bar, at, *skin->StatusBarEdges(), statuscell::Lowered), 0);
    // The size grip.
    const QRect g = skin->ExtraImages()->FrameRect(extracell::SizeGrip);
    int found = 0;
    for (int y = 0; y + g.height() <= bar.height() && !found; ++y)
        for (int x = bar.width() - g.width(); x >= bar.width() - 40 && !found; --x)
            found =
                cellMismatches(bar, QPoint(x, y), *skin->ExtraImages(), extracell::SizeGrip) == 0;
    QVERIFY(found);

    // The slider's thumb at rest.
    QStyleOptionSlider o;
    o.initFrom(slider);
    const QImage s = grabOf(*slider);
    const QRect thumb =
        style.subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, slider);
    QVERIFY(!thumb.isEmpty());
    const int tw = skin->TrackbarThumbHorz()->FrameWidth();
    int hits = 0;
    for (int x = 0; x + tw <= s.width(); ++x)
        hits +=
            cellMismatches(s, QPoint(x, 0), *skin->TrackbarThumbHorz(), slidercell::Normal) == 0;
    QCOMPARE(hits, 1);

    // The style taken back: the bar's own palette again.
    status->setStyle(nullptr);
    QCOMPARE(status->palette().color(QPalette::WindowText), before.color(QPalette::WindowText));
}
