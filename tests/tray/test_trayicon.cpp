// TTrayIcon against a recording notification area, with notification codes fed in the way the
// platform adapter posts them.

#include "tray/AppIcon.h"
#include "tray/TrayIcon.h"
#include "tray/TrayIconHandler.h"

#include <QApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <memory>

namespace {

constexpr int DoubleClickTime = 80;

// Answers like a real notification area (an icon is added once; only an added icon can be
// modified, deleted or versioned) and records every command.
struct FakeShell final : TTrayShell {
    struct Call {
        TTrayCommand command;
        TTrayIconData data;
        bool answer;
    };
    bool NotifyIcon(TTrayCommand command, const TTrayIconData& data) override {
        if (!area) { // no notification area: everything is refused
            calls.append({command, data, false});
            return false;
        }
        bool answer = shown.contains(data.Id);
        if (command == TTrayCommand::Add) {
            answer = !answer;
            shown.insert(data.Id);
        } else if (command == TTrayCommand::Delete) {
            shown.remove(data.Id);
        }
        calls.append({command, data, answer});
        return answer;
    }
    QPoint CursorPos() const override { return cursor; }
    Qt::KeyboardModifiers KeyboardModifiers() const override { return modifiers; }
    int adds(quint64 id) const {
        return int(std::count_if(calls.begin(), calls.end(), [id](const Call& c) {
            return c.data.Id == id && c.command == TTrayCommand::Add;
        }));
    }

    QList<Call> calls;
    QSet<quint64> shown;
    bool area = true;
    QPoint cursor{100, 200};
    Qt::KeyboardModifiers modifiers;
};

QList<QIcon> threeImages() {
    QList<QIcon> images;
    for (QColor color : {Qt::red, Qt::green, Qt::blue}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(color);
        images << QIcon(pixmap);
    }
    return images;
}

int indexOf(const QList<QIcon>& images, const QIcon& icon) {
    for (int i = 0; i < images.size(); ++i)
        if (images[i].cacheKey() == icon.cacheKey())
            return i;
    return -1;
}

void send(const TTrayIcon& icon, std::initializer_list<quint32> codes) {
    for (quint32 code : codes)
        TTrayIconHandler::instance()->send(icon.Id(), code);
}

void post(quint64 id, std::initializer_list<quint32> codes) {
    for (quint32 code : codes)
        TTrayIconHandler::instance()->post(id, code);
}

void drain() // posted events are delivered in order
{
    bool done = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { done = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(done);
}

struct Recorder {
    int clicks = 0, doubleClicks = 0, enters = 0, exits = 0;
    QStringList mouse; // "down/up button shift x,y"

    explicit Recorder(TTrayIcon& icon, bool withDoubleClick = true) {
        icon.OnClick = [this](TTrayIcon*) { ++clicks; };
        if (withDoubleClick)
            icon.OnDblClick = [this](TTrayIcon*) { ++doubleClicks; };
        icon.OnMouseEnter = [this](TTrayIcon*) { ++enters; };
        icon.OnMouseExit = [this](TTrayIcon*) { ++exits; };
        auto record = [this](const char* what) {
            return [this, what](TTrayIcon*, TMouseButton b, TShiftState s, int x, int y) {
                mouse
                    << QStringLiteral("%1 %2 %3 %4,%5").arg(what).arg(int(b)).arg(s).arg(x).arg(y);
            };
        };
        icon.OnMouseDown = record("down");
        icon.OnMouseUp = record("up");
    }
};

} // namespace

class TestTrayIcon : public QObject {
    Q_OBJECT

    FakeShell shell;

private slots:
    void initTestCase() {
        TTrayIconHandler::setShellOverride(&shell);
        QApplication::setDoubleClickInterval(DoubleClickTime);
    }
    void init() { shell = FakeShell(); }
    void cleanup() { QVERIFY2(!TTrayIconHandler::instance(), "a test left a tray icon alive"); }

    void commandsReturnTheAreasAnswer() {
        auto icon = std::make_unique<TTrayIcon>();
        const quint64 id = icon->Id();
        QVERIFY(!icon->UpdateIcon()); // not shown yet: refused, of no consequence
        QVERIFY(icon->AddIcon());
        QVERIFY(!icon->AddIcon()); // already there: refused, nothing else changes
        QVERIFY(icon->IconVisible());
        icon->setBehavior(TTrayBehavior::Version3);
        QCOMPARE(shell.calls.last().data.Version, 3u);
        QVERIFY(shell.calls.last().answer);
        QVERIFY(icon->RemoveIcon());
        QVERIFY(!icon->IconVisible());
        QVERIFY(!icon->RemoveIcon());

        icon->setIconVisible(true);
        icon.reset(); // destroying the component takes the icon away
        QCOMPARE(shell.calls.last().command, TTrayCommand::Delete);
        QCOMPARE(shell.calls.last().data.Id, id);
        QVERIFY(shell.shown.isEmpty());
    }

    void tipIsCutAndCanBeHidden() {
        TTrayIcon icon;
        auto tip = [&] { return shell.calls.last().data.Tip; };
        QString hint;
        for (int i = 0; hint.size() < 200; ++i)
            hint += QString::number(i % 10);
        icon.setHint(hint);
        QCOMPARE(tip(), hint.left(127));
        // A character outside the basic plane is not split at the cut.
        icon.setHint(QString(126, u'a') + QString::fromUtf8("\xF0\x9F\x93\xBB") + "bb");
        QCOMPARE(tip(), QString(126, u'a'));
        icon.setHint(QStringLiteral("Orvik"));
        icon.setShowHint(false);
        QVERIFY(tip().isEmpty());
        icon.setShowHint(true);
        QCOMPARE(tip(), QStringLiteral("Orvik"));
    }

    void clickWaitsForTheDoubleClickTimeAndDoubleClickCancelsIt() {
        TTrayIcon icon;
        Recorder r(icon);
        QElapsedTimer clock;
        clock.start();
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(r.mouse.size(), 2);
        QCOMPARE(r.clicks, 0);
        QTRY_COMPARE(r.clicks, 1);
        QVERIFY(clock.elapsed() >= DoubleClickTime - 2);

        post(icon.Id(),
             {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::LeftDoubleClick, TrayCode::LeftUp});
        QTRY_COMPARE(r.doubleClicks, 1);
        QTRY_VERIFY(!icon.ClickTimer().Enabled());
        QCOMPARE(r.clicks, 1);

        // A double-click reported after the click cycle ended must not swallow the next click.
        post(icon.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(r.clicks, 2);
        post(icon.Id(),
             {TrayCode::LeftDoubleClick, TrayCode::LeftUp, TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(r.clicks, 3);
    }

    void mouseEventsCarryButtonShiftAndPosition() {
        TTrayIcon icon;
        Recorder r(icon, false);
        shell.cursor = QPoint(10, 20);
        shell.modifiers = Qt::ControlModifier | Qt::ShiftModifier;
        send(icon, {TrayCode::LeftDown, TrayCode::RightUp, TrayCode::MiddleDown, TrayCode::Select,
                    0x999u, TrayCode::LeftUp});
        QCOMPARE(r.clicks, 1); // at once without OnDblClick
        r.mouse.removeLast();
        const unsigned keys = ssCtrl | ssShift;
        QCOMPARE(r.mouse, QStringList({QStringLiteral("down 0 %1 10,20").arg(keys | ssLeft),
                                       QStringLiteral("up 1 %1 10,20").arg(keys | ssRight),
                                       QStringLiteral("down 2 %1 10,20").arg(keys | ssMiddle)}));
        // The newer behaviour reports the right release as context menu, select or key select.
        r.mouse.clear();
        shell.modifiers = {};
        icon.setBehavior(TTrayBehavior::Version3);
        send(icon,
             {TrayCode::RightUp, TrayCode::ContextMenu, TrayCode::Select, TrayCode::KeySelect});
        QCOMPARE(r.mouse.size(), 3);
        QCOMPARE(r.mouse.first(), QStringLiteral("up 1 %1 10,20").arg(ssRight));
    }

    void disabledIconIgnoresMouseButNotBalloons() {
        TTrayIcon icon;
        Recorder r(icon);
        icon.setWantEnterExitEvents(true);
        int balloons = 0;
        icon.OnBalloonHintShow = icon.OnBalloonHintHide = icon.OnBalloonHintTimeout =
            icon.OnBalloonHintClick = [&](TTrayIcon*) { ++balloons; };
        icon.setEnabled(false);
        for (quint32 code = TrayCode::MouseMove; code <= TrayCode::BalloonClick; ++code)
            send(icon, {code});
        QVERIFY(r.mouse.isEmpty());
        QCOMPARE(r.clicks + r.doubleClicks + r.enters, 0);
        QCOMPARE(balloons, 4);
    }

    void cyclingStepsThroughTheImages() {
        TTrayIcon icon;
        const QList<QIcon> images = threeImages();
        icon.setIconList(images);
        QList<int> next;
        icon.OnCycle = [&](TTrayIcon* sender, int index) {
            next << index;
            if (next.size() == 4)
                sender->setCycleIcons(false);
        };
        icon.setCycleInterval(10);
        const qsizetype from = shell.calls.size();
        icon.setCycleIcons(true);
        QTRY_COMPARE(next.size(), 4);
        QList<int> shown;
        for (qsizetype i = from; i < shell.calls.size(); ++i)
            shown << indexOf(images, shell.calls[i].data.Icon);
        QCOMPARE(shown, QList<int>({0, 1, 2, 0, 1}));
        QCOMPARE(next, QList<int>({1, 2, 0, 1}));
        QVERIFY(!icon.CycleTimer().Enabled());
    }

    void iconIndexStaysInsideTheImages() {
        TTrayIcon icon;
        icon.setIconIndex(3); // no images
        QCOMPARE(icon.IconIndex(), 0);
        const QList<QIcon> images = threeImages();
        icon.setIconList(images);
        icon.setIconIndex(7);
        QCOMPARE(icon.IconIndex(), 2);
        QCOMPARE(indexOf(images, icon.Icon()), 2);
        icon.setIconIndex(-4);
        QCOMPARE(indexOf(images, icon.Icon()), 0);
    }

    void visibleIconsComeBackWithTheNotificationArea() {
        TTrayIcon visible, hidden;
        visible.setIconVisible(true);
        hidden.setIconVisible(true);
        hidden.setIconVisible(false);
        shell.shown.clear(); // the area restarted and knows nothing
        TTrayIconHandler::instance()->taskbarCreated();
        QCOMPARE(shell.adds(visible.Id()), 2);
        QCOMPARE(shell.adds(hidden.Id()), 1);
        QCOMPARE(shell.shown, QSet<quint64>{visible.Id()});
    }

    void notificationsNeverReachADestroyedIcon() {
        TTrayIcon keeper;
        Recorder alive(keeper, false);
        int lost = 0;
        auto doomed = std::make_unique<TTrayIcon>();
        doomed->OnClick = [&](TTrayIcon*) { ++lost; };
        post(doomed->Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        doomed.reset(); // with its notifications still queued
        post(keeper.Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_COMPARE(alive.clicks, 1);
        QCOMPARE(lost, 0);

        // Handlers may destroy the icon, even from its click timer's tick.
        doomed = std::make_unique<TTrayIcon>();
        doomed->OnDblClick = [](TTrayIcon*) {};
        doomed->OnClick = [&](TTrayIcon*) { doomed.reset(); };
        post(doomed->Id(), {TrayCode::LeftDown, TrayCode::LeftUp});
        QTRY_VERIFY(!doomed);
        doomed = std::make_unique<TTrayIcon>();
        doomed->OnMouseDown = [&](TTrayIcon*, TMouseButton, TShiftState, int, int) {
            doomed.reset();
        };
        doomed->setLeftPopup(true);
        send(*doomed, {TrayCode::LeftDown});
        QVERIFY(!doomed);
        drain();
    }

    void pointerEnterAndExit() {
        TTrayIcon icon;
        Recorder r(icon);
        icon.setWantEnterExitEvents(true);
        shell.cursor = QPoint(5, 5);
        send(icon, {TrayCode::MouseMove, TrayCode::MouseMove});
        QCOMPARE(r.enters, 1);
        shell.cursor = QPoint(5, 6); // the pointer left the icon
        QTRY_COMPARE(r.exits, 1);
        send(icon, {TrayCode::MouseMove});
        QCOMPARE(r.enters, 2);
    }

    void popupMenuAndItsDefaultItem() {
        TTrayIcon icon;
        QMenu menu;
        menu.setDefaultAction(menu.addAction(QStringLiteral("Open")));
        QSignalSpy opened(menu.defaultAction(), &QAction::triggered);
        icon.setPopupMenu(&menu);
        shell.cursor = QPoint(300, 300);
        send(icon, {TrayCode::LeftDown, TrayCode::RightDown});
        QTRY_VERIFY(menu.isVisible());
        QCOMPARE(menu.pos(), QPoint(300, 300));
        menu.close();

        send(icon, {TrayCode::LeftDoubleClick});
        QCOMPARE(opened.count(), 1);
        icon.setLeftPopup(true); // the left button pops the menu up instead
        send(icon, {TrayCode::LeftDoubleClick});
        QCOMPARE(opened.count(), 1);
    }

    void minimiseHidesOnlyWithMinimizeToTray() {
        QWidget window;
        window.resize(200, 100);
        auto* tray = new TTrayIcon(&window); // owned by the window
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        drain();
        QVERIFY(window.isVisible());
        QVERIFY(!tray->IconVisible());

        window.showNormal();
        int events = 0;
        tray->setMinimizeToTray(true);
        tray->OnMinimizeToTray = [&](TTrayIcon*) { events += window.isVisible() ? 1 : 100; };
        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(events, 1); // once, before the window was hidden
        QVERIFY(tray->IconVisible());
    }

    void withoutANotificationAreaMinimiseKeepsTheWindow() {
        shell.area = false;
        QWidget window;
        window.resize(200, 100);
        auto* tray = new TTrayIcon(&window);
        tray->setMinimizeToTray(true);
        int events = 0;
        tray->OnMinimizeToTray = [&](TTrayIcon*) { ++events; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        drain();
        drain();
        // Minimised as any window, still on the taskbar: hidden it could not be reached.
        QVERIFY(window.isVisible());
        QVERIFY(window.isMinimized());
        QVERIFY(!tray->IconVisible());
        QCOMPARE(events, 0);
        QVERIFY(shell.adds(tray->Id()) >= 1); // it was asked

        tray->HideToTray(); // asked directly: the same
        QVERIFY(window.isVisible());
        QVERIFY(!tray->IconVisible());

        // A notification area that comes later gets the icon that was asked for.
        shell.area = true;
        TTrayIconHandler::instance()->taskbarCreated();
        QVERIFY(tray->IconVisible());
        QVERIFY(shell.shown.contains(tray->Id()));
    }

    void programIconHasTwoDepths() {
        const TOrvikIconImages images = OrvikIconImages();
        QCOMPARE(images.TrueColor.size(), QSize(32, 32));
        QCOMPARE(images.TrueColor.format(), QImage::Format_ARGB32);
        QCOMPARE(images.Colors256.format(), QImage::Format_Indexed8);
        int differing = 0; // the same shape in both depths
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                differing += (qAlpha(images.Colors256.pixel(x, y)) == 255) !=
                             (qAlpha(images.TrueColor.pixel(x, y)) >= 128);
        QVERIFY2(differing < 32, qPrintable(QString::number(differing)));
        QCOMPARE(qAlpha(images.TrueColor.pixel(0, 31)), 0);
        QCOMPARE(qAlpha(images.TrueColor.pixel(16, 20)), 255);
    }
};

QTEST_MAIN(TestTrayIcon)
#include "test_trayicon.moc"
