// TTrayIcon against a recording notification area: commands and their answers, and the
// component's reaction to notification codes fed in as the platform adapter would post them.

#include "AppIcon.h"
#include "FakeTrayShell.h"
#include "TrayIcon.h"
#include "TrayIconHandler.h"

#include <QApplication>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int DoubleClickTime = 80;

QIcon solid(const QColor& color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

QList<QIcon> threeImages() {
    return {solid(Qt::red), solid(Qt::green), solid(Qt::blue)};
}

int indexOf(const QList<QIcon>& list, const QIcon& icon) {
    for (int i = 0; i < list.size(); ++i)
        if (list[i].cacheKey() == icon.cacheKey())
            return i;
    return -1;
}

void send(const TTrayIcon& icon, quint32 code) {
    TTrayIconHandler::instance()->send(icon.Id(), code);
}

void post(quint64 id, std::initializer_list<quint32> codes) {
    for (quint32 code : codes)
        TTrayIconHandler::instance()->post(id, code);
}

// Runs everything queued so far: posted events are delivered in order.
void drain() {
    bool done = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { done = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(done);
}

// Lets the event loop run for a while, to show that something does NOT happen meanwhile.
void letEventsRun(int ms) {
    QTimer reference;
    reference.setSingleShot(true);
    QSignalSpy spy(&reference, &QTimer::timeout);
    reference.start(ms);
    QVERIFY(spy.wait(ms + 5000));
}

struct MouseRecord {
    bool down;
    TMouseButton button;
    TShiftState shift;
    QPoint at;
    bool operator==(const MouseRecord&) const = default;
};

struct Counters {
    int clicks = 0, doubleClicks = 0, enters = 0, exits = 0, moves = 0;
    QList<MouseRecord> mouse;

    void attach(TTrayIcon& icon, bool withDoubleClick) {
        icon.OnClick = [this](TTrayIcon*) { ++clicks; };
        if (withDoubleClick)
            icon.OnDblClick = [this](TTrayIcon*) { ++doubleClicks; };
        icon.OnMouseEnter = [this](TTrayIcon*) { ++enters; };
        icon.OnMouseExit = [this](TTrayIcon*) { ++exits; };
        icon.OnMouseMove = [this](TTrayIcon*, TShiftState, int, int) { ++moves; };
        icon.OnMouseDown = [this](TTrayIcon*, TMouseButton b, TShiftState s, int x, int y) {
            mouse.append({true, b, s, QPoint(x, y)});
        };
        icon.OnMouseUp = [this](TTrayIcon*, TMouseButton b, TShiftState s, int x, int y) {
            mouse.append({false, b, s, QPoint(x, y)});
        };
    }
};

} // namespace

class TestTrayIcon : public QObject {
    Q_OBJECT

private:
    FakeTrayShell shell;

private slots:
    void initTestCase() {
        TTrayIconHandler::setShellOverride(&shell);
        QApplication::setDoubleClickInterval(DoubleClickTime);
    }
    void init() { shell.reset(); }
    void cleanup() { QVERIFY2(!TTrayIconHandler::instance(), "a test left a tray icon alive"); }
    void cleanupTestCase() { TTrayIconHandler::setShellOverride(nullptr); }

    void commandsReturnTheAreasAnswer() {
        TTrayIcon icon;
        TTrayIcon other;
        QVERIFY(icon.Id() != other.Id());
        QVERIFY(!icon.IconVisible());
        QVERIFY(!icon.UpdateIcon()); // not shown yet: refused, and of no consequence

        QVERIFY(icon.AddIcon());
        QVERIFY(icon.IconVisible());
        QVERIFY(!icon.AddIcon()); // already there: refused, nothing else changes
        QVERIFY(icon.IconVisible());
        QVERIFY(icon.UpdateIcon());

        icon.setBehavior(TTrayBehavior::Version3);
        QCOMPARE(shell.calls.last().command, TTrayCommand::SetVersion);
        QCOMPARE(shell.calls.last().data.Version, 3u);
        QVERIFY(shell.calls.last().answer);

        QVERIFY(icon.RemoveIcon());
        QVERIFY(!icon.IconVisible());
        QVERIFY(!icon.RemoveIcon());
        for (const auto& call : shell.calls)
            QVERIFY(call.data.Id == icon.Id() || call.data.Id == other.Id());
        QVERIFY(!shell.shown.contains(other.Id()));
    }

    void tipIsCutAndCanBeHidden() {
        TTrayIcon icon;
        icon.setIconVisible(true);
        auto tip = [&] { return shell.calls.last().data.Tip; };

        QString longHint;
        for (int i = 0; longHint.size() < 200; ++i)
            longHint += QString::number(i % 10);
        icon.setHint(longHint);
        QCOMPARE(tip(), longHint.left(127));
        QCOMPARE(icon.Hint(), longHint);

        icon.setHint(longHint.left(127));
        QCOMPARE(tip(), longHint.left(127));

        // A character outside the basic plane is not split at the cut.
        const QString wide = QString(126, u'a') + QString::fromUtf8("\xF0\x9F\x93\xBB") + "bb";
        icon.setHint(wide);
        QCOMPARE(tip(), QString(126, u'a'));

        icon.setHint(QStringLiteral("Orvik"));
        QCOMPARE(tip(), QStringLiteral("Orvik"));
        icon.setShowHint(false);
        QVERIFY(tip().isEmpty());
        icon.setShowHint(true);
        QCOMPARE(tip(), QStringLiteral("Orvik"));
    }

    void singleClickWaitsForTheDoubleClickTime() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, true);
        QElapsedTimer clock;
        clock.start();
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(c.mouse.size(), 2);
        QCOMPARE(c.clicks, 0);
        QVERIFY(icon.ClickTimer().Enabled());
        QTRY_COMPARE(c.clicks, 1);
        QVERIFY(clock.elapsed() >= DoubleClickTime - 2);
        QCOMPARE(c.doubleClicks, 0);
        QVERIFY(!icon.ClickTimer().Enabled());
    }

    void doubleClickRaisesDblClickAndNoClick() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, true);
        // The order a shell reports a double-click in.
        post(icon.Id(),
             {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::LeftDoubleClick, TrayCode::LeftUp});
        QTRY_COMPARE(c.doubleClicks, 1);
        QTRY_VERIFY(!icon.ClickTimer().Enabled());
        QCOMPARE(c.clicks, 0);

        // The next single click is raised normally.
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(c.clicks, 1);
        QCOMPARE(c.doubleClicks, 1);
    }

    void clickIsImmediateWithoutDblClickHandler() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, false);
        send(icon, TrayCode::LeftDown);
        QVERIFY(!icon.ClickTimer().Enabled());
        QCOMPARE(c.clicks, 0);
        send(icon, TrayCode::LeftUp);
        QCOMPARE(c.clicks, 1);
        // A release without a press over the icon is no click.
        send(icon, TrayCode::LeftUp);
        QCOMPARE(c.clicks, 1);
    }

    void lateDoubleClickDoesNotSwallowTheNextClick() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, true);
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(c.clicks, 1);
        // The double-click report comes only after the click cycle has ended.
        post(icon.Id(), {TrayCode::LeftDoubleClick, TrayCode::LeftUp});
        QTRY_COMPARE(c.doubleClicks, 1);
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(c.clicks, 2);
    }

    void mouseEventsCarryButtonShiftAndPosition() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, false);
        shell.cursor = QPoint(10, 20);
        shell.modifiers = Qt::ControlModifier | Qt::ShiftModifier;
        const TShiftState keys = ssCtrl | ssShift;
        const QPoint at(10, 20);

        for (quint32 code : {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::RightDown,
                             TrayCode::RightUp, TrayCode::MiddleDown, TrayCode::MiddleUp,
                             TrayCode::ContextMenu, TrayCode::Select, TrayCode::KeySelect, 0x999u})
            send(icon, code);
        const QList<MouseRecord> classic{
            {true, TMouseButton::Left, keys | ssLeft, at},
            {false, TMouseButton::Left, keys | ssLeft, at},
            {true, TMouseButton::Right, keys | ssRight, at},
            {false, TMouseButton::Right, keys | ssRight, at},
            {true, TMouseButton::Middle, keys | ssMiddle, at},
            {false, TMouseButton::Middle, keys | ssMiddle, at},
        };
        QCOMPARE(c.mouse, classic);

        // In the newer behaviour the right release arrives as context menu, select or key
        // select, and the plain release is not reported.
        c.mouse.clear();
        shell.modifiers = Qt::AltModifier;
        icon.setBehavior(TTrayBehavior::Version3);
        for (quint32 code :
             {TrayCode::RightUp, TrayCode::ContextMenu, TrayCode::Select, TrayCode::KeySelect})
            send(icon, code);
        const MouseRecord up{false, TMouseButton::Right, ssAlt | ssRight, at};
        QCOMPARE(c.mouse, QList<MouseRecord>({up, up, up}));
    }

    void disabledIconIgnoresMouseButNotBalloons() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, true);
        icon.setWantEnterExitEvents(true);
        int balloons = 0;
        icon.OnBalloonHintShow = icon.OnBalloonHintHide = icon.OnBalloonHintTimeout =
            icon.OnBalloonHintClick = [&](TTrayIcon*) { ++balloons; };
        icon.setEnabled(false);

        for (quint32 code = TrayCode::MouseMove; code <= TrayCode::MiddleUp; ++code)
            send(icon, code);
        send(icon, TrayCode::LeftDown);
        send(icon, TrayCode::LeftUp);
        QVERIFY(c.mouse.isEmpty());
        QCOMPARE(c.clicks + c.doubleClicks + c.enters + c.moves, 0);
        QVERIFY(!icon.ClickTimer().Enabled());

        for (quint32 code = TrayCode::BalloonShow; code <= TrayCode::BalloonClick; ++code)
            send(icon, code);
        QCOMPARE(balloons, 4);
    }

    void cyclingStepsThroughTheImages() {
        TTrayIcon icon;
        const QList<QIcon> images = threeImages();
        icon.setIconList(images);
        icon.setIconVisible(true);
        QList<int> nextIndexes;
        icon.OnCycle = [&](TTrayIcon* sender, int next) {
            nextIndexes << next;
            if (nextIndexes.size() == 4)
                sender->setCycleIcons(false);
        };
        icon.setCycleInterval(10);
        QVERIFY(!icon.CycleTimer().Enabled()); // cycling itself is still off
        const qsizetype before = shell.calls.size();
        icon.setCycleIcons(true);
        QCOMPARE(icon.IconIndex(), 0);
        QTRY_COMPARE(nextIndexes.size(), 4);
        QVERIFY(!icon.CycleTimer().Enabled());

        QList<int> shown;
        for (qsizetype i = before; i < shell.calls.size(); ++i)
            if (shell.calls[i].command == TTrayCommand::Modify)
                shown << indexOf(images, shell.calls[i].data.Icon);
        QCOMPARE(shown, QList<int>({0, 1, 2, 0, 1}));
        QCOMPARE(nextIndexes, QList<int>({1, 2, 0, 1}));
        QCOMPARE(icon.IconIndex(), 1);
    }

    void cyclingNeedsAnIntervalAndImages() {
        TTrayIcon icon;
        int cycles = 0;
        icon.OnCycle = [&](TTrayIcon*, int) { ++cycles; };
        icon.setCycleIcons(true);
        QVERIFY(!icon.CycleTimer().Enabled()); // interval 0: no ticks

        icon.setCycleInterval(5); // no images: ticks do nothing
        QVERIFY(icon.CycleTimer().Enabled());
        letEventsRun(50);
        QCOMPARE(cycles, 0);

        // A new interval restarts cycling from the first image.
        icon.setIconList(threeImages());
        icon.setIconIndex(2);
        icon.setCycleInterval(100000);
        QCOMPARE(icon.IconIndex(), 0);
        QCOMPARE(icon.CycleTimer().Interval(), 100000u);
    }

    void iconIndexStaysInsideTheImages() {
        TTrayIcon icon;
        icon.setIconIndex(3); // no images
        QCOMPARE(icon.IconIndex(), 0);

        const QList<QIcon> images = threeImages();
        icon.setIconList(images);
        QCOMPARE(indexOf(images, icon.Icon()), 0);
        icon.setIconIndex(7);
        QCOMPARE(icon.IconIndex(), 2);
        QCOMPARE(indexOf(images, icon.Icon()), 2);
        icon.setIconIndex(-4);
        QCOMPARE(icon.IconIndex(), 0);
        QCOMPARE(indexOf(images, icon.Icon()), 0);

        icon.setIconIndex(1);
        icon.setIconList(images); // a new list starts at its first image
        QCOMPARE(icon.IconIndex(), 0);
        icon.setIconList({});
        icon.setIconIndex(2);
        QCOMPARE(icon.IconIndex(), 0);
    }

    void visibleIconsComeBackWithTheNotificationArea() {
        TTrayIcon visible;
        TTrayIcon hidden;
        QVERIFY(visible.AddIcon());
        QVERIFY(hidden.AddIcon());
        QVERIFY(hidden.RemoveIcon());
        shell.calls.clear();

        shell.restart();
        TTrayIconHandler::instance()->taskbarCreated();
        QCOMPARE(shell.callsFor(visible.Id(), TTrayCommand::Add).size(), 1);
        QVERIFY(shell.calls.last().answer);
        QVERIFY(shell.callsFor(hidden.Id(), TTrayCommand::Add).isEmpty());
        QVERIFY(shell.shown.contains(visible.Id()));
        QVERIFY(!shell.shown.contains(hidden.Id()));
    }

    void queuedNotificationForADestroyedIconReachesNothing() {
        int lostClicks = 0;
        quint64 lostId = 0;
        {
            TTrayIcon keeper; // keeps the shared handler alive
            int keeperClicks = 0;
            keeper.OnClick = [&](TTrayIcon*) { ++keeperClicks; };
            auto doomed = std::make_unique<TTrayIcon>();
            doomed->OnClick = [&](TTrayIcon*) { ++lostClicks; };
            post(doomed->Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
            doomed.reset();
            post(keeper.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
            QTRY_COMPARE(keeperClicks, 1);
            QCOMPARE(lostClicks, 0);
        }
        // The last icon: its notification goes with the handler; a new icon never gets its Id.
        {
            auto doomed = std::make_unique<TTrayIcon>();
            doomed->OnClick = [&](TTrayIcon*) { ++lostClicks; };
            lostId = doomed->Id();
            post(lostId, {TrayCode::LeftDown, TrayCode::LeftUp});
            doomed.reset();
        }
        TTrayIcon next;
        QVERIFY(next.Id() != lostId);
        drain();
        QCOMPARE(lostClicks, 0);
    }

    void eventHandlersMayDestroyTheIcon() {
        auto icon = std::make_unique<TTrayIcon>();
        icon->OnDblClick = [&](TTrayIcon*) {};
        icon->OnClick = [&](TTrayIcon*) { icon.reset(); }; // from the click timer's tick
        post(icon->Id(), {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::RightDown});
        QTRY_VERIFY(!icon);

        icon = std::make_unique<TTrayIcon>();
        icon->OnMouseDown = [&](TTrayIcon*, TMouseButton, TShiftState, int, int) { icon.reset(); };
        icon->setLeftPopup(true);
        post(icon->Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_VERIFY(!icon);
        drain();
    }

    void pointerEnterAndExit() {
        TTrayIcon icon;
        Counters c;
        c.attach(icon, false);
        send(icon, TrayCode::MouseMove);
        QCOMPARE(c.moves, 1);
        QCOMPARE(c.enters, 0); // not wanted yet

        icon.setWantEnterExitEvents(true);
        QVERIFY(icon.ExitTimer().Enabled());
        QCOMPARE(icon.ExitTimer().Interval(), 20u);
        shell.cursor = QPoint(5, 5);
        send(icon, TrayCode::MouseMove);
        send(icon, TrayCode::MouseMove);
        QCOMPARE(c.enters, 1);
        QCOMPARE(c.moves, 3);

        shell.cursor = QPoint(5, 6); // the pointer left the icon
        QTRY_COMPARE(c.exits, 1);
        send(icon, TrayCode::MouseMove);
        QCOMPARE(c.enters, 2);

        icon.setWantEnterExitEvents(false);
        QVERIFY(!icon.ExitTimer().Enabled());
    }

    void popupMenuFromTheIcon() {
        TTrayIcon icon;
        QMenu menu;
        int opened = 0;
        QAction* open = menu.addAction(QStringLiteral("Open"));
        menu.addAction(QStringLiteral("Exit"));
        menu.setDefaultAction(open);
        connect(open, &QAction::triggered, this, [&] { ++opened; });
        icon.setPopupMenu(&menu);
        shell.cursor = QPoint(300, 300);

        send(icon, TrayCode::LeftDown);
        QVERIFY(!menu.isVisible());
        send(icon, TrayCode::RightDown);
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(menu.property("PopupComponent").value<QObject*>(), &icon);
        QCOMPARE(menu.pos(), QPoint(300, 300));
        menu.close();

        // A double-click runs the default item unless the left button pops the menu up.
        send(icon, TrayCode::LeftDoubleClick);
        QCOMPARE(opened, 1);
        icon.setLeftPopup(true);
        send(icon, TrayCode::LeftDoubleClick);
        QCOMPARE(opened, 1);
        send(icon, TrayCode::LeftDown);
        QTRY_VERIFY(menu.isVisible());
        menu.close();

        // A menu that does not pop up on its own is left alone.
        menu.setProperty("AutoPopup", false);
        send(icon, TrayCode::RightDown);
        QVERIFY(!menu.isVisible());

        auto owned = std::make_unique<QMenu>();
        icon.setPopupMenu(owned.get());
        owned.reset();
        QVERIFY(!icon.PopupMenu());
        send(icon, TrayCode::RightDown);
        send(icon, TrayCode::LeftDoubleClick);
    }

    void minimisingHidesToTheTrayAndDoubleClickRestores() {
        QWidget window;
        window.resize(300, 200);
        auto* tray = new TTrayIcon(&window); // owned by the window
        tray->setHint(QStringLiteral("Orvik"));
        tray->setMinimizeToTray(true);
        tray->OnDblClick = [](TTrayIcon* sender) { sender->RestoreMainWindow(); };
        const quint64 id = tray->Id();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(shell.callsFor(id, TTrayCommand::Add).isEmpty());

        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(tray->IconVisible());
        auto adds = shell.callsFor(id, TTrayCommand::Add);
        QCOMPARE(adds.size(), 1);
        QVERIFY(adds[0].answer);
        QCOMPARE(adds[0].data.Tip, QStringLiteral("Orvik"));

        post(id,
             {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::LeftDoubleClick, TrayCode::LeftUp});
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        QCOMPARE(window.size(), QSize(300, 200));
        QVERIFY(tray->IconVisible()); // the icon stays

        // Again: the window hides, the repeated add is refused and nothing else changes.
        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(tray->IconVisible());
        adds = shell.callsFor(id, TTrayCommand::Add);
        QCOMPARE(adds.size(), 2);
        QVERIFY(!adds[1].answer);
        QVERIFY(shell.shown.contains(id));
        QVERIFY(shell.callsFor(id, TTrayCommand::Delete).isEmpty());
    }

    void minimisingWithoutMinimizeToTrayOrWithItsEvent() {
        QWidget window;
        window.resize(200, 100);
        auto* tray = new TTrayIcon(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        window.showMinimized();
        drain();
        QVERIFY(window.isVisible());
        QVERIFY(!tray->IconVisible());
        window.showNormal();

        bool visibleDuringEvent = false;
        int events = 0;
        tray->setMinimizeToTray(true);
        tray->OnMinimizeToTray = [&](TTrayIcon*) {
            ++events;
            visibleDuringEvent = window.isVisible();
        };
        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(events, 1);
        QVERIFY(visibleDuringEvent);
        QVERIFY(tray->IconVisible());
    }

    void startupCanKeepTheWindowHidden() {
        QWidget window;
        auto* tray = new TTrayIcon(&window);
        tray->OnStartup = [](TTrayIcon*, bool& show) { show = false; };
        window.show();
        tray->setIconVisible(true);
        shell.calls.clear();
        tray->Loaded();
        QVERIFY(!window.isVisible());
        QVERIFY(!tray->ShowMainFormAtStart());
        QCOMPARE(shell.callsFor(tray->Id(), TTrayCommand::Add).size(), 1); // stored state again
    }

    void destroyingTheIconRemovesIt() {
        auto icon = std::make_unique<TTrayIcon>();
        const quint64 id = icon->Id();
        icon->setIconVisible(true);
        icon.reset();
        QCOMPARE(shell.calls.last().command, TTrayCommand::Delete);
        QCOMPARE(shell.calls.last().data.Id, id);
        QVERIFY(shell.calls.last().answer);
        QVERIFY(shell.shown.isEmpty());
    }

    void programIconHasTwoDepths() {
        const TOrvikIconImages images = OrvikIconImages();
        QCOMPARE(images.TrueColor.size(), QSize(32, 32));
        QCOMPARE(images.TrueColor.format(), QImage::Format_ARGB32);
        QCOMPARE(images.Colors256.size(), QSize(32, 32));
        QCOMPARE(images.Colors256.format(), QImage::Format_Indexed8);
        QVERIFY(images.Colors256.colorCount() <= 256);

        // Transparent around the glyph, opaque inside it, in both depths alike.
        int differing = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool opaque8 = qAlpha(images.Colors256.pixel(x, y)) == 255;
                const bool opaque32 = qAlpha(images.TrueColor.pixel(x, y)) >= 128;
                differing += opaque8 != opaque32;
            }
        QVERIFY2(differing < 32, qPrintable(QString::number(differing)));
        QCOMPARE(qAlpha(images.TrueColor.pixel(0, 31)), 0);
        QCOMPARE(qAlpha(images.TrueColor.pixel(16, 20)), 255);

        const QIcon icon = OrvikIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    }
};

QTEST_MAIN(TestTrayIcon)
#include "test_trayicon.moc"
