// Full screen for the picture: a double click on the player that plays, F11 and Escape, the
// player back where it was, and the mouse pointer hiding after 2 seconds without a move.
#include "ui_MainWindow.h"

#include "app/forms/FullScreen.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/mainwindow/LoopbackStations.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QtTest>

namespace {

struct Window : LoopbackStations {
    Window() {
        w = std::make_unique<TfrmMain>();
        w->show();
        w->activateWindow();
        full = w->findChild<TFullScreen*>();
    }
    Ui::TfrmMain& u() { return w->form(); }
    QWidget* player() { return w->MediaPlayer; }
    void play() {
        orvik::selectNode(u().tvStations, u().tvStations->findItems("One").value(0));
        w->tvStationsDblClick();
        QTRY_COMPARE_WITH_TIMEOUT(u().lblStatusText->text(), QStringLiteral("One"), 10000);
    }
    bool onFullScreen() {
        QWidget* screen = full->screenWindow();
        return full->active() && screen && screen->isVisible() && screen->isFullScreen() &&
               player()->window() == screen;
    }
    // Back in the main window, in its place there.
    bool atHome() {
        return !full->active() && player()->parentWidget() == u().pnlBlack &&
               player()->isVisible() && player()->geometry() == home &&
               !(full->screenWindow() && full->screenWindow()->isVisible());
    }

    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
    TFullScreen* full = nullptr;
    QRect home;
};

} // namespace

class TestFullScreen : public QObject {
    Q_OBJECT
private slots:
    void enterAndLeave();
    void cursorHidesWithoutMoves();
};

void TestFullScreen::enterAndLeave() {
    Window t;
    QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
    QVERIFY(t.u().mnuViewMenu->actions().contains(t.full->action()));
    QCOMPARE(t.full->action()->shortcut(), QKeySequence(Qt::Key_F11));
    // Nothing plays: nothing to show.
    QTest::keyClick(t.w.get(), Qt::Key_F11);
    QVERIFY(!t.full->active());
    QVERIFY(!t.full->action()->isChecked());

    t.play();
    t.home = t.player()->geometry();
    QTest::mouseDClick(t.player(), Qt::LeftButton);
    QTRY_VERIFY(t.onFullScreen());
    QVERIFY(t.full->action()->isChecked());
    QTRY_COMPARE(t.player()->geometry(), t.full->screenWindow()->rect());
    QTRY_COMPARE(t.full->screenWindow()->geometry(), t.w->screen()->geometry());
    QVERIFY(t.player()->mask().isEmpty()); // the whole picture, not the main window's clip

    QTest::keyClick(t.full->screenWindow(), Qt::Key_Escape);
    QTRY_VERIFY(t.atHome());
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("One")); // it played on

    QTRY_VERIFY(QApplication::activeWindow() == t.w.get());
    QTest::keyClick(t.w.get(), Qt::Key_F11);
    QTRY_VERIFY(t.onFullScreen());
    QTest::keyClick(t.full->screenWindow(), Qt::Key_F11);
    QTRY_VERIFY(t.atHome());

    QTest::mouseDClick(t.player(), Qt::LeftButton);
    QTRY_VERIFY(t.onFullScreen());
    QTest::mouseDClick(t.player(), Qt::LeftButton);
    QTRY_VERIFY(t.atHome());

    // Closed by the desktop: the picture comes back.
    t.full->action()->trigger();
    QTRY_VERIFY(t.onFullScreen());
    t.full->screenWindow()->close();
    QTRY_VERIFY(t.atHome());
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("One"));
}

void TestFullScreen::cursorHidesWithoutMoves() {
    Window t;
    t.play();
    t.full->Enter();
    QTRY_VERIFY(t.onFullScreen());
    QVERIFY(QTest::qWaitForWindowExposed(t.full->screenWindow()));
    QElapsedTimer since;
    QTest::mouseMove(t.player(), QPoint(100, 100));
    since.start();
    QVERIFY(!t.full->cursorHidden());
    QTRY_VERIFY_WITH_TIMEOUT(t.full->cursorHidden(), 5000);
    QVERIFY2(since.elapsed() >= TFullScreen::HideCursorMs - 100,
             qPrintable(QString::number(since.elapsed())));
    QTest::mouseMove(t.player(), QPoint(140, 120));
    QTRY_VERIFY(!t.full->cursorHidden());
    QTRY_VERIFY_WITH_TIMEOUT(t.full->cursorHidden(), 5000);
    // Back in the window the pointer is the usual one.
    t.full->Leave();
    QVERIFY(!t.full->cursorHidden());
    QCOMPARE(t.player()->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TestFullScreen)
#include "test_fullscreen.moc"
