// The keyboard on a skinned menu bar, with key events delivered to the windows as the display
// delivers them: Alt and a letter opens that menu with its first item selected, Left and Right
// move between the bar's menus and wrap around (swapped right to left), Enter and Escape end,
// Alt ends the tracking, and the mouse moved onto another bar item switches to its menu.

#include "tests/menus/MenuTestKit.h"

#include "skin/draw/menus/PopupMenus.h"
#include "skin/draw/style/SkinStyle.h"

#include <QApplication>
#include <QSignalSpy>

using namespace menutest;

namespace {

QMenu* openPopup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// A key pressed and released on the window that has the keyboard now: the open popup, else the
// main window.
void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QWidget* target = QApplication::activePopupWidget();
    QTest::keyClick((target ? target : window)->windowHandle(), key, mods);
}

} // namespace

class TestMenuKeys : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void altLetterOpensWithFirstSelected();
    void arrowsMoveAndWrap();
    void rightToLeftSwapsArrows();
    void enterAndEscapeEnd();
    void altEndsTracking();
    void mouseOntoAnotherItemSwitches();

private:
    std::unique_ptr<TSkinData> skin_;
};

void TestMenuKeys::init() {
    skin_ = builtSkin(QStringLiteral("nightfall"));
}

void TestMenuKeys::cleanup() {
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    skin_.reset();
}

void TestMenuKeys::altLetterOpensWithFirstSelected() {
    MenuWindow w(skin_.get(), Qt::LeftToRight, false);
    QVERIFY(w.show());
    press(&w.window, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.stations);
    QVERIFY(qobject_cast<TSkinStyle*>(w.stations->style()));
    QTRY_COMPARE(w.stations->activeAction(), w.stationItems.first());
    // Down goes on to the next enabled item, over the disabled one.
    press(&w.window, Qt::Key_Down);
    QTRY_COMPARE(w.stations->activeAction(), w.stationItems[2]);
}

void TestMenuKeys::arrowsMoveAndWrap() {
    MenuWindow w(skin_.get(), Qt::LeftToRight, false);
    QVERIFY(w.show());
    press(&w.window, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.view);
    // Right on the last menu opens the first one's, Left on the first the last one's.
    press(&w.window, Qt::Key_Right);
    QTRY_COMPARE(openPopup(), w.category);
    QTRY_VERIFY(w.category->activeAction());
    press(&w.window, Qt::Key_Left);
    QTRY_COMPARE(openPopup(), w.view);
    press(&w.window, Qt::Key_Left);
    QTRY_COMPARE(openPopup(), w.stations);
    QCOMPARE(w.bar()->activeAction(), w.stations->menuAction());
}

void TestMenuKeys::rightToLeftSwapsArrows() {
    MenuWindow w(skin_.get(), Qt::RightToLeft, false);
    QVERIFY(w.show());
    // The first menu is the rightmost; Left leads to the next one, Right wraps to the last.
    QVERIFY(w.bar()->actionGeometry(w.category->menuAction()).left() >
            w.bar()->actionGeometry(w.stations->menuAction()).left());
    press(&w.window, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.category);
    press(&w.window, Qt::Key_Left);
    QTRY_COMPARE(openPopup(), w.stations);
    press(&w.window, Qt::Key_Right);
    QTRY_COMPARE(openPopup(), w.category);
    press(&w.window, Qt::Key_Right);
    QTRY_COMPARE(openPopup(), w.view);
}

void TestMenuKeys::enterAndEscapeEnd() {
    MenuWindow w(skin_.get(), Qt::LeftToRight, false);
    QVERIFY(w.show());
    QAction* first = w.category->actions().first();
    QSignalSpy triggered(first, &QAction::triggered);
    press(&w.window, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.category);
    QTRY_COMPARE(w.category->activeAction(), first);
    press(&w.window, Qt::Key_Return);
    QTRY_COMPARE(triggered.size(), 1);
    QTRY_VERIFY(!openPopup());

    press(&w.window, Qt::Key_C, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.category);
    press(&w.window, Qt::Key_Escape);
    QTRY_VERIFY(!openPopup());
    QCOMPARE(triggered.size(), 1);
    QTRY_COMPARE(TPopupMenus::Program().Count(), 0);
}

void TestMenuKeys::altEndsTracking() {
    MenuWindow w(skin_.get(), Qt::LeftToRight, false);
    QVERIFY(w.show());
    press(&w.window, Qt::Key_S, Qt::AltModifier);
    QTRY_COMPARE(openPopup(), w.stations);
    press(&w.window, Qt::Key_Alt);
    QTRY_VERIFY(!openPopup());
    QVERIFY(!w.stations->isVisible());
}

void TestMenuKeys::mouseOntoAnotherItemSwitches() {
    MenuWindow w(skin_.get(), Qt::LeftToRight, false);
    QVERIFY(w.show());
    QMenuBar* bar = w.bar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(w.category->menuAction()).center());
    QTRY_COMPARE(openPopup(), w.category);
    // The popup has the mouse; a move over the Stations item of the bar opens its menu.
    const QPoint onStations =
        bar->mapToGlobal(bar->actionGeometry(w.stations->menuAction()).center());
    QTest::mouseMove(w.category->windowHandle(), w.category->mapFromGlobal(onStations));
    QTRY_COMPARE(openPopup(), w.stations);
}

QTEST_MAIN(TestMenuKeys)
#include "test_menukeys.moc"
