// Real menu bars and popup menus drawn and measured through the skin style: the places of bar
// items left to right and right to left, the pixels of the band, a hot item, a popup's border,
// a selected, a disabled, a checked item, a separator and a shortcut in two skins and a skin of
// colours only; separators that lead, end or follow each other; the gates of each kind of
// menu, the bookkeeping of open popups, a skin switch and skins switched off.

#include "tests/menus/MenuTestKit.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/MenuBarPaint.h"
#include "skin/draw/MenuLayout.h"
#include "skin/draw/MenuSkin.h"
#include "skin/draw/PopupMenuPaint.h"
#include "skin/draw/SystemMenu.h"
#include "skin/draw/menus/PopupMenus.h"
#include "skin/draw/style/SkinStyle.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QWindow>

using namespace orvik;
using namespace menutest;

namespace {

QRgb rgb(const QImage& image, const QPoint& p) {
    return image.pixel(p) & 0xFFFFFFu;
}
QRgb rgb(TColor c) {
    return ToQColor(c).rgb() & 0xFFFFFFu;
}

QImage grabbed(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Opens a popup at a place of the screen and waits until it is painted.
bool open(QMenu* menu, QPoint at = QPoint(40, 40)) {
    menu->popup(at);
    return QTest::qWaitForWindowExposed(menu);
}

// The item the style should have painted for an action, painted here by the item painter.
QImage expectedItem(const TSkinData& skin, QMenu* menu, QAction* action, TMenuItemLook look) {
    const QRect r = menu->actionGeometry(action);
    const QImage background = PopupBackground(skin, menu->size());
    QImage out(menu->size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    look.caption = action->text();
    look.shortcut = action->shortcut().toString(QKeySequence::NativeText);
    PaintMenuItem(p, skin, r, look, menu->font(), background.isNull() ? nullptr : &background);
    return out;
}

bool sameIn(const QImage& a, const QImage& b, const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (rgb(a, {x, y}) != rgb(b, {x, y})) {
                qWarning("first difference at %d,%d: %06x against %06x", x, y, rgb(a, {x, y}),
                         rgb(b, {x, y}));
                return false;
            }
    return true;
}

} // namespace

class TestMenuStyle : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void barItemPlaces_data();
    void barItemPlaces();
    void skins_data();
    void barPixels_data() { skins_data(); }
    void barPixels();
    void popupPixels_data() { skins_data(); }
    void popupPixels();
    void separatorsCollapse();
    void barCommandActsOnClick();
    void gatesAndBookkeeping();
    void skinSwitchAndSkinsOff();
};

void TestMenuStyle::cleanup() {
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

void TestMenuStyle::barItemPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rtl");
    QTest::newRow("nightfall") << QStringLiteral("nightfall") << false;
    QTest::newRow("nightfall rtl") << QStringLiteral("nightfall") << true;
    QTest::newRow("pebble rtl") << QStringLiteral("pebble") << true;
    QTest::newRow("colours only") << QString() << false;
    QTest::newRow("colours only rtl") << QString() << true;
}

void TestMenuStyle::barItemPlaces() {
    QFETCH(QString, name);
    QFETCH(bool, rtl);
    auto skin = name.isEmpty() ? flatSkin() : builtSkin(name);
    MenuWindow w(skin.get(), rtl ? Qt::RightToLeft : Qt::LeftToRight);
    QVERIFY(w.show());
    QMenuBar* bar = w.bar();
    const QFontMetrics fm(bar->font());
    QList<int> widths;
    QList<QAction*> actions = bar->actions();
    for (QAction* a : actions)
        widths.append(MenuBarItemWidth(fm.size(Qt::TextShowMnemonic, a->text()).width()));
    const int start = MenuBarItemStart(skin->MenuBar(), bar->width(), rtl);
    const QList<QRect> expected = MenuBarItemRects(widths, start, bar->size(), rtl);
    QCOMPARE(bar->height(), MenuBandHeight(fm.height()));
    for (int i = 0; i < actions.size(); ++i) {
        const QRect got = bar->actionGeometry(actions[i]);
        QCOMPARE(got.left(), expected[i].left());
        QCOMPARE(got.width(), expected[i].width());
    }
    // The first item at the start from the leading edge.
    const QRect first = bar->actionGeometry(actions.first());
    QCOMPARE(rtl ? bar->width() - first.right() - 1 : first.left(), start);
}

void TestMenuStyle::skins_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("nightfall") << QStringLiteral("nightfall");
    QTest::newRow("pebble") << QStringLiteral("pebble");
    QTest::newRow("colours only") << QString();
}

void TestMenuStyle::barPixels() {
    QFETCH(QString, name);
    auto skin = name.isEmpty() ? flatSkin() : builtSkin(name);
    MenuWindow w(skin.get());
    QVERIFY(w.show());
    QMenuBar* bar = w.bar();
    QCOMPARE(bar->style(), static_cast<QStyle*>(TPopupMenus::StyleFor(skin.get())));
    const QImage band = MenuBandImage(*skin, bar->size(), bar->isActiveWindow());
    QImage shot = grabbed(bar);
    // The empty end of the bar and the ground between an item's caption and its edge are the
    // band's own pixels.
    const QRect view = bar->actionGeometry(w.view->menuAction());
    for (const QPoint& p :
         {QPoint(bar->width() - 5, 3), QPoint(bar->width() - 40, bar->height() - 1),
          QPoint(view.left() + 2, 2), QPoint(view.center().x(), 1)})
        QCOMPARE(rgb(shot, p), rgb(band, p));
    if (!skin->MenuBar() || !skin->MenuBar()->HasImage())
        QCOMPARE(rgb(shot, {bar->width() - 5, 3}), rgb(skin->MenubarColor()));

    // A hot item is framed in the button highlight colour; its neighbours are not.
    // Moves handed to the window as the display hands them, so that no other window on the
    // display comes between.
    QWindow* handle = w.window.windowHandle();
    QTest::mouseMove(handle, bar->mapTo(&w.window, QPoint(bar->width() - 3, 3)));
    QTest::mouseMove(handle, bar->mapTo(&w.window, view.center()));
    QTRY_COMPARE(bar->activeAction(), w.view->menuAction());
    QTRY_COMPARE(rgb(grabbed(bar), view.topLeft()), rgb(skin->ButtonHilightColor()));
    shot = grabbed(bar);
    QCOMPARE(rgb(shot, {view.right(), view.center().y()}), rgb(skin->ButtonHilightColor()));
    const QRect category = bar->actionGeometry(w.category->menuAction());
    QCOMPARE(rgb(shot, category.topLeft()), rgb(band, category.topLeft()));
}

void TestMenuStyle::popupPixels() {
    QFETCH(QString, name);
    auto skin = name.isEmpty() ? flatSkin() : builtSkin(name);
    MenuWindow w(skin.get());
    QVERIFY(w.show());
    QMenu* menu = w.stations;
    QVERIFY(open(menu));
    const QList<QAction*>& items = w.stationItems;
    menu->setActiveAction(items[0]);
    QTRY_COMPARE(menu->activeAction(), items[0]);
    QImage shot;
    QTRY_VERIFY((shot = grabbed(menu), true) &&
                sameIn(shot, expectedItem(*skin, menu, items[0], {.selected = true}),
                       menu->actionGeometry(items[0])));
    TMenuItemLook disabled;
    disabled.enabled = false;
    QVERIFY(sameIn(shot, expectedItem(*skin, menu, items[1], disabled),
                   menu->actionGeometry(items[1])));
    TMenuItemLook checked;
    checked.checked = true;
    QVERIFY(
        sameIn(shot, expectedItem(*skin, menu, items[2], checked), menu->actionGeometry(items[2])));
    QAction* separator = menu->actions().at(3);
    QVERIFY(separator->isSeparator());
    QCOMPARE(menu->actionGeometry(separator).height(), 8);
    QVERIFY(sameIn(shot, expectedItem(*skin, menu, separator, {.kind = TMenuItemLook::Separator}),
                   menu->actionGeometry(separator)));

    // The item's size by the skin's rules: the widest caption with the shortcut column.
    const QFontMetrics fm(menu->font());
    TMenuItemMeasure m;
    m.textWidth = fm.boundingRect(QRect(), Qt::TextSingleLine | Qt::TextShowMnemonic,
                                  QStringLiteral("&Next channel"))
                      .width();
    m.textHeight = fm.height();
    const QSize size = MenuItemSize(skin->MenuItem(), m);
    QCOMPARE(menu->actionGeometry(items[0]).height(), size.height());
    QVERIFY(menu->actionGeometry(items[0]).width() >=
            size.width() + fm.horizontalAdvance(items[0]->shortcut().toString()));

    if (HasMenuBackground(*skin)) {
        // Background and border from the menu background picture, 3 pixels wide.
        const QImage background = PopupBackground(*skin, menu->size());
        for (const QPoint& p : {QPoint(0, 0), QPoint(1, menu->height() / 2),
                                QPoint(menu->width() - 1, menu->height() - 1),
                                QPoint(menu->width() / 2, menu->height() - 2)})
            QCOMPARE(rgb(shot, p), rgb(background, p));
        QCOMPARE(menu->actionGeometry(items[0]).topLeft(), QPoint(PopupBorder, PopupBorder));
    } else {
        // The system's frame, and flat items in the menu and highlight colours.
        QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
        QCOMPARE(menu->style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu),
                 fusion->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu));
        delete fusion;
        const QRect r0 = menu->actionGeometry(items[0]);
        const QRect r3 = menu->actionGeometry(items[3]);
        QCOMPARE(rgb(shot, {r0.right() - 2, r0.top() + 1}), rgb(skin->HilightColor()));
        QCOMPARE(rgb(shot, {r3.right() - 2, r3.top() + 1}), rgb(skin->MenuColor()));
    }
}

void TestMenuStyle::separatorsCollapse() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    MenuWindow w(skin.get());
    QMenu* sub = w.view->addMenu(QStringLiteral("&Order"));
    QList<QAction*> a;
    a << sub->addSeparator() << sub->addAction(QStringLiteral("By name")) << sub->addSeparator()
      << sub->addSeparator() << sub->addAction(QStringLiteral("By country")) << sub->addSeparator();
    w.window.findChild<TWindowMenus*>()->Apply();
    QVERIFY(w.show());
    QVERIFY(open(sub));
    // No leading or trailing separator, one of the two in a row; the menu keeps all six.
    QVERIFY(sub->actionGeometry(a[0]).isEmpty());
    QVERIFY(sub->actionGeometry(a[5]).isEmpty());
    QCOMPARE(int(!sub->actionGeometry(a[2]).isEmpty()) + int(!sub->actionGeometry(a[3]).isEmpty()),
             1);
    QVERIFY(sub->actionGeometry(a[1]).top() == PopupBorder);
    QCOMPARE(sub->actions(), a);
    for (QAction* x : a)
        QVERIFY(x->isVisible());
    // The height is that of two items and one separator.
    QCOMPARE(sub->height(), 2 * PopupBorder + 2 * sub->actionGeometry(a[1]).height() + 8);
}

void TestMenuStyle::barCommandActsOnClick() {
    auto skin = builtSkin(QStringLiteral("pebble"));
    MenuWindow w(skin.get());
    QVERIFY(w.show());
    QSignalSpy triggered(w.command, &QAction::triggered);
    const QRect r = w.bar()->actionGeometry(w.command);
    QTest::mouseClick(w.bar(), Qt::LeftButton, {}, r.center());
    QTRY_COMPARE(triggered.size(), 1);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestMenuStyle::gatesAndBookkeeping() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    TPopupMenus& popups = TPopupMenus::Program();
    MenuWindow w(skin.get());
    // The window's system menu as the frame fills it.
    QMenu& system = *new QMenu(&w.window);
    FillSystemMenu(system, &w.window, skin.get());
    QCOMPARE(TPopupMenus::KindOf(w.context), int(mkPopup));
    QCOMPARE(TPopupMenus::KindOf(w.skins), int(mkBarDropDown));
    QCOMPARE(TPopupMenus::KindOf(&system), int(mkSystemMenu));
    QVERIFY(w.show());

    // Open: in the list, with its kind; closed: the list is empty and the kind back to popup.
    QVERIFY(open(w.category));
    QVERIFY(popups.IsPopupSkinned(w.category));
    QVERIFY(popups.IsOwnerDrawn(w.category));
    QCOMPARE(popups.MenuKind(), int(mkBarDropDown));
    QVERIFY(open(w.skins, QPoint(200, 60)));
    QCOMPARE(popups.Count(), 2);
    w.skins->close();
    w.category->close();
    QTRY_COMPARE(popups.Count(), 0);
    QCOMPARE(popups.MenuKind(), int(mkPopup));
    QVERIFY(!popups.MenuOwnerDraw());

    // Each kind needs its control: without xcPopupMenu the context menu keeps the system look,
    // a bar drop-down is skinned with xcMenuItem alone.
    skin->SetSkinControls({xcMenuItem});
    w.window.findChild<TWindowMenus*>()->Apply();
    QVERIFY(open(w.context));
    QVERIFY(!popups.IsPopupSkinned(w.context));
    QCOMPARE(w.context->style(), QApplication::style());
    w.context->close();
    QVERIFY(open(w.view));
    QVERIFY(popups.IsPopupSkinned(w.view));
    QVERIFY(qobject_cast<TSkinStyle*>(w.view->style()));
    w.view->close();
    QTRY_COMPARE(popups.Count(), 0);

    // The system menu needs xcSystemMenu, whatever the other controls say.
    QVERIFY(open(&system));
    QVERIFY(!popups.IsPopupSkinned(&system));
    system.close();
    skin->SetSkinControls({xcSystemMenu});
    QVERIFY(open(&system));
    QVERIFY(popups.IsPopupSkinned(&system));
    QCOMPARE(popups.MenuKind(), int(mkSystemMenu));
    QVERIFY(qobject_cast<TSkinStyle*>(system.style()));
    system.close();
    QTRY_COMPARE(popups.Count(), 0);
}

void TestMenuStyle::skinSwitchAndSkinsOff() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    MenuWindow w(skin.get());
    QVERIFY(w.show());
    QVERIFY(open(w.category));
    const QRect item = w.category->actionGeometry(w.category->actions().first());
    const QRgb before = rgb(grabbed(w.category), {item.center().x(), item.top() + 1});

    // The open menu and the bar take the new skin's pictures and places.
    switchTo(*skin, QStringLiteral("pebble"));
    skin->DoSkinChanged();
    TMenuSkin* companion = TMenuSkin::Of(w.category);
    QVERIFY(companion);
    QCOMPARE(companion->LaidOutWith(), companion->LayoutKey());
    const QRect now = w.category->actionGeometry(w.category->actions().first());
    const QImage expected =
        expectedItem(*skin, w.category, w.category->actions().first(), TMenuItemLook{});
    QTRY_VERIFY(sameIn(grabbed(w.category), expected, now));
    QVERIFY(rgb(expected, {now.center().x(), now.top() + 1}) != before);
    QCOMPARE(rgb(grabbed(w.bar()), {w.bar()->width() - 5, 3}),
             rgb(MenuBandImage(*skin, w.bar()->size(), w.bar()->isActiveWindow()),
                 {w.bar()->width() - 5, 3}));
    w.category->close();

    // Skins off: every menu and the bar in the system look; on again: skinned.
    skin->SetActive(false);
    skin->DoSkinChanged();
    QCOMPARE(w.bar()->style(), QApplication::style());
    for (QMenu* m : {w.category, w.stations, w.view, w.skins, w.context})
        QCOMPARE(m->style(), QApplication::style());
    QVERIFY(open(w.context));
    QVERIFY(!TPopupMenus::Program().IsPopupSkinned(w.context));
    w.context->close();
    skin->SetActive(true);
    skin->DoSkinChanged();
    QVERIFY(qobject_cast<TSkinStyle*>(w.context->style()));
    QVERIFY(qobject_cast<TSkinStyle*>(w.bar()->style()));
}

QTEST_MAIN(TestMenuStyle)
#include "test_menustyle.moc"
