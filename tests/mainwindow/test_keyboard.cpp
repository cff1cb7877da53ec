// The main window's keys: shown in the Stations menu, each doing its command on a real player
// fed by a loopback stream, Space in the station tree, and an edit with the focus keeping the
// keys it uses.
#include "ui_MainWindow.h"

#include "app/forms/Keyboard.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/mainwindow/LoopbackStations.h"

#include <QMenu>
#include <QtTest>

namespace {

const QString kIdle = QStringLiteral("No channel currently playing");

class Window : public LoopbackStations {
public:
    Window() {
        w = std::make_unique<TfrmMain>();
        w->show();
        w->activateWindow();
    }

    Ui::TfrmMain& u() { return w->form(); }
    TKeyboard& keys() { return *w->findChild<TKeyboard*>(); }
    void select(const QString& name) {
        orvik::selectNode(u().tvStations, u().tvStations->findItems(name).value(0));
    }
    QString selected() {
        TStationNode* n = orvik::selectedNode(u().tvStations);
        return n ? n->text(0) : QString();
    }
    QString status() { return u().lblStatusText->text(); }
    // A key as the user presses it: to the widget with the focus, after the window's idle
    // updates, as between two real key presses. The window keeps the keyboard when the first
    // picture makes it again as one drawn by OpenGL.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() != nullptr, 5000);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }

    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void menusShowTheKeys();
    void keysPlayStepAndSetTheVolume();
    void spaceInTheTreePlaysAndStops();
    void anEditKeepsItsKeys();
};

void TestKeyboard::menusShowTheKeys() {
    Window t;
    QMap<QString, QString> shown;
    for (QAction* a : t.u().mnuStationsMenu->actions())
        if (!a->isSeparator())
            shown[a->text()] = a->shortcut().toString();
    QCOMPARE(shown.value(QStringLiteral("Play")), QStringLiteral("Ctrl+P"));
    QCOMPARE(shown.value(QStringLiteral("Stop")), QStringLiteral("Ctrl+S"));
    QCOMPARE(shown.value(QStringLiteral("Next Channel")), QStringLiteral("Ctrl+Right"));
    QCOMPARE(shown.value(QStringLiteral("Previous Channel")), QStringLiteral("Ctrl+Left"));
    QCOMPARE(shown.value(QStringLiteral("Random Channel")), QStringLiteral("Ctrl+R"));
    QCOMPARE(shown.value(QStringLiteral("Volume Up")), QStringLiteral("Ctrl+Up"));
    QCOMPARE(shown.value(QStringLiteral("Volume Down")), QStringLiteral("Ctrl+Down"));
    QCOMPARE(shown.value(QStringLiteral("Find Station")), QStringLiteral("Ctrl+F"));
    // No key is taken twice in the window, or neither would work.
    QSet<QString> keys;
    for (QAction* a : t.w->findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts())
            QVERIFY2(!keys.contains(k.toString()) || k.isEmpty(), qPrintable(k.toString()));
}

void TestKeyboard::keysPlayStepAndSetTheVolume() {
    Window t;
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    // The keys work with the menu bar out of sight, as under a skin that draws its own.
    t.u().MainMenu->hide();
    t.select(QStringLiteral("One"));
    t.u().tvStations->setFocus();

    t.press(Qt::Key_P, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One"), 10000);
    t.press(Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), kIdle, 10000);

    t.press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(t.selected(), QStringLiteral("Two"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Two"), 10000);
    // Random Channel draws a category and plays its first station.
    int draws = 0;
    t.w->playback().randomIndex = [&draws](int) { return ++draws, 0; };
    t.press(Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(draws, 1);
    QCOMPARE(t.selected(), QStringLiteral("One"));
    t.press(Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(t.selected(), QStringLiteral("Two"));
    t.press(Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(t.selected(), QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One"), 10000);

    QSlider* volume = t.u().trbVolume;
    volume->setValue(10);
    t.press(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(volume->value(), 11);
    QCOMPARE(t.w->MediaPlayer->volume(), 55); // the player follows the slider
    for (int i = 0; i < 15; ++i)
        t.press(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(volume->value(), volume->minimum());
    QCOMPARE(t.w->MediaPlayer->volume(), 0);

    // Find: the station page and its find box, from another page too.
    t.u().PageControl->setCurrentIndex(1);
    t.u().lsvFavorites->setFocus();
    t.press(Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(t.u().PageControl->currentWidget(), t.u().tabStation);
    QVERIFY(t.u().txtFind->hasFocus());
}

void TestKeyboard::spaceInTheTreePlaysAndStops() {
    Window t;
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    t.select(QStringLiteral("Two"));
    t.u().tvStations->setFocus();
    t.press(Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Two"), 10000);
    QCOMPARE(t.selected(), QStringLiteral("Two")); // the key did not go on to the tree
    t.press(Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), kIdle, 10000);
    t.press(Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Two"), 10000);

    // Elsewhere Space is the focused control's own.
    t.u().PageControl->setCurrentIndex(1);
    t.u().lsvFavorites->setFocus();
    t.press(Qt::Key_Space);
    QTest::qWait(300); // the player is quick to report a stop; none comes
    QCOMPARE(t.status(), QStringLiteral("Two"));
}

void TestKeyboard::anEditKeepsItsKeys() {
    Window t;
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    t.select(QStringLiteral("One"));
    QLineEdit* box = t.u().txtFind;
    box->setFocus();
    QVERIFY(box->hasFocus());
    QTest::keyClicks(box, QStringLiteral("On"));
    // Space types a space; the word moves move the cursor instead of stepping channels.
    t.press(Qt::Key_Space);
    QCOMPARE(box->text(), QStringLiteral("On "));
    t.press(Qt::Key_Left, Qt::ControlModifier);
    QCOMPARE(box->cursorPosition(), 0);
    t.press(Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(box->cursorPosition() > 0);
    QTest::qWait(300);
    QCOMPARE(t.w->PlayMode, -1);
    QCOMPARE(t.status(), kIdle);
    QVERIFY(box->hasFocus());
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
