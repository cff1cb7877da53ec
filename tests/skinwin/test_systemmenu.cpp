// The system menu of a skinned window: its entries, when they are enabled, and what they do.
#include "skin/data/SkinData.h"
#include "skin/draw/SystemMenu.h"

#include <QDialog>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

using orvik::TSystemCommand;
using orvik::TSystemMenuState;
Q_DECLARE_METATYPE(orvik::TSystemMenuState)

namespace {

// The enabled states of the six entries, in menu order, as a string of 0 and 1.
QString enabledPattern(const TSystemMenuState& s) {
    QString out;
    for (TSystemCommand c :
         {TSystemCommand::Restore, TSystemCommand::Move, TSystemCommand::Size,
          TSystemCommand::Minimise, TSystemCommand::Maximise, TSystemCommand::Close})
        out += orvik::SystemCommandEnabled(c, s) ? u'1' : u'0';
    return out;
}

QStringList entries(const QMenu& menu) {
    QStringList list;
    for (QAction* a : menu.actions())
        list << (a->isSeparator() ? QStringLiteral("-")
                                  : a->text() + (a->isEnabled() ? "" : " (off)"));
    return list;
}

} // namespace

class TestSystemMenu : public QObject {
    Q_OBJECT
private slots:
    void enabledStates_data();
    void enabledStates();
    void stateOfWindows();
    void menuOfAWindow();
};

void TestSystemMenu::enabledStates_data() {
    QTest::addColumn<TSystemMenuState>("state");
    QTest::addColumn<QString>("pattern"); // Restore Move Size Minimise Maximise Close
    QTest::newRow("normal") << TSystemMenuState{} << "011111";
    QTest::newRow("maximised") << TSystemMenuState{true, false, true, true, true} << "100101";
    QTest::newRow("minimised") << TSystemMenuState{false, true, true, true, true} << "100011";
    QTest::newRow("fixed size") << TSystemMenuState{false, false, false, true, true} << "010111";
    QTest::newRow("no boxes") << TSystemMenuState{false, false, true, false, false} << "011001";
}

void TestSystemMenu::enabledStates() {
    QFETCH(TSystemMenuState, state);
    QFETCH(QString, pattern);
    QCOMPARE(enabledPattern(state), pattern);
}

void TestSystemMenu::stateOfWindows() {
    QWidget plain;
    TSystemMenuState s = orvik::SystemMenuStateOf(&plain);
    QVERIFY(s.minimiseBox && s.maximiseBox && s.sizeable && !s.maximised);
    plain.setFixedSize(200, 100);
    QVERIFY(!orvik::SystemMenuStateOf(&plain).sizeable);

    QDialog dialog;
    s = orvik::SystemMenuStateOf(&dialog);
    QVERIFY(!s.minimiseBox && !s.maximiseBox);
    QWidget custom(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowMinimizeButtonHint);
    s = orvik::SystemMenuStateOf(&custom);
    QVERIFY(s.minimiseBox && !s.maximiseBox);
}

void TestSystemMenu::menuOfAWindow() {
    TSkinData skin;
    QWidget window;
    window.resize(300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenu menu;
    orvik::FillSystemMenu(menu, &window, &skin);
    QCOMPARE(entries(menu), (QStringList{"&Restore (off)", "&Move", "&Size", "Mi&nimize",
                                         "Ma&ximize", "-", "&Close"}));
    // The four glyphs of the skin go with Restore, Minimise, Maximise and Close.
    const QList<QAction*> actions = menu.actions();
    for (int i : {0, 3, 4, 6})
        QVERIFY2(!actions[i]->icon().isNull(), qPrintable(actions[i]->text()));
    QVERIFY(actions[1]->icon().isNull() && actions[2]->icon().isNull());

    // Maximise from the menu; the menu filled again offers Restore, no Move or Size.
    actions[4]->trigger();
    QTRY_VERIFY(window.isMaximized());
    orvik::FillSystemMenu(menu, &window, &skin);
    QCOMPARE(entries(menu), (QStringList{"&Restore", "&Move (off)", "&Size (off)", "Mi&nimize",
                                         "Ma&ximize (off)", "-", "&Close"}));
    QCOMPARE(menu.actions().size(), 7); // filled afresh, not appended
    menu.actions()[0]->trigger();
    QTRY_VERIFY(!window.isMaximized());
    // A command that is not enabled does nothing.
    QVERIFY(!orvik::RunSystemCommand(&window, TSystemCommand::Restore));

    // Close closes the window.
    orvik::FillSystemMenu(menu, &window, nullptr);
    QVERIFY(menu.actions()[0]->icon().isNull()); // no skin, no glyphs
    menu.actions()[6]->trigger();
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(TestSystemMenu)
#include "test_systemmenu.moc"
