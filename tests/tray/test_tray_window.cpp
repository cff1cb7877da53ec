// Minimise to tray on a real window with a real notification area: trayer runs on the test's
// X display and the icons go through QSystemTrayIcon.

#include "tray/AppIcon.h"
#include "tray/QtTrayShell.h"
#include "tray/TrayIcon.h"
#include "tray/TrayIconHandler.h"

#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QtTest>

#include <memory>

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Asks the X server where an icon of ours is docked: a visible window of this program inside
// trayer's panel at the top right of the screen. Null while none is.
QRect dockedIcon() {
    const QString ids = run(
        "xdotool", {"search", "--onlyvisible", "--classname", QCoreApplication::applicationName()});
    for (const QString& id : ids.split(u'\n', Qt::SkipEmptyParts)) {
        QMap<QString, int> g; // X, Y, WIDTH, HEIGHT
        for (const QString& line :
             run("xdotool", {"getwindowgeometry", "--shell", id}).split(u'\n', Qt::SkipEmptyParts))
            g.insert(line.section(u'=', 0, 0), line.section(u'=', 1).toInt());
        const QRect rect(g["X"], g["Y"], g["WIDTH"], g["HEIGHT"]);
        if (rect.isValid() && rect.bottom() < 24 &&
            rect.left() > QGuiApplication::primaryScreen()->geometry().center().x())
            return rect;
    }
    return {};
}

// Real clicks through the X test extension. ("mousemove --sync" would wait forever for a
// movement when the pointer is there already.)
void clickAt(const QPoint& at, int clicks) {
    run("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click",
                    "--repeat", QString::number(clicks), "--delay", "40", "1"});
}

QSystemTrayIcon* qtIcon(const TTrayIcon& icon) {
    TTrayIconHandler* handler = TTrayIconHandler::instance();
    return handler && handler->qtShell() ? handler->qtShell()->trayIcon(icon.Id()) : nullptr;
}

// A small main window set up the way the program sets up its own.
struct MainWindow : QWidget {
    MainWindow() {
        resize(320, 240);
        TrayIcon = new TTrayIcon(this);
        TrayIcon->setCycleInterval(0);
        TrayIcon->setHint(QStringLiteral("Orvik"));
        TrayIcon->setIcon(OrvikIcon());
        TrayIcon->setIconIndex(0);
        TrayIcon->setMinimizeToTray(true);
        TrayIcon->OnDblClick = [this](TTrayIcon*) { TrayIcon->RestoreMainWindow(); };
    }
    TTrayIcon* TrayIcon;
};

} // namespace

class TestTrayWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QProcess> trayer;

    void startTrayer() {
        trayer = std::make_unique<QProcess>();
        trayer->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        trayer->start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request",
                                 "--height", "24"});
        QVERIFY(trayer->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
    }

    void stopTrayer() {
        trayer->kill();
        trayer->waitForFinished(10000);
    }

private slots:
    void initTestCase() { startTrayer(); }
    void cleanupTestCase() { stopTrayer(); }

    void minimiseHidesToTheTrayAndDoubleClickRestores() {
        {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QVERIFY(!qtIcon(*window.TrayIcon)); // no icon before the first minimise

            window.showMinimized();
            QTRY_VERIFY(!window.isVisible());
            QVERIFY(window.TrayIcon->IconVisible());
            QPointer<QSystemTrayIcon> shown = qtIcon(*window.TrayIcon);
            QVERIFY(shown);
            QCOMPARE(shown->toolTip(), QStringLiteral("Orvik"));
            QTRY_VERIFY(!dockedIcon().isNull());

            for (quint32 code : {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::LeftDoubleClick,
                                 TrayCode::LeftUp})
                TTrayIconHandler::instance()->post(window.TrayIcon->Id(), code);
            QTRY_VERIFY(window.isVisible());
            QCOMPARE(window.windowState(), Qt::WindowNoState);
            QCOMPARE(window.size(), QSize(320, 240));
            QTRY_VERIFY(window.isActiveWindow());
            QCOMPARE(qtIcon(*window.TrayIcon), shown.data()); // the icon stays

            window.showMinimized(); // again: hidden, same icon
            QTRY_VERIFY(!window.isVisible());
            QCOMPARE(qtIcon(*window.TrayIcon), shown.data());
        }
        QTRY_VERIFY(dockedIcon().isNull()); // gone with the window
    }

    void realClicksOnTheDockedIcon() {
        MainWindow window;
        int clicks = 0;
        window.TrayIcon->OnClick = [&](TTrayIcon*) { ++clicks; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        QRect docked;
        QTRY_VERIFY(!(docked = dockedIcon()).isNull());

        clickAt(docked.center(), 1); // raised once the double-click time has passed
        QTRY_COMPARE(clicks, 1);
        QTRY_VERIFY(!window.TrayIcon->ClickTimer().Enabled());
        QVERIFY(!window.isVisible());

        clickAt(docked.center(), 2);
        QTRY_VERIFY(window.isVisible());
        QTRY_VERIFY(!window.TrayIcon->ClickTimer().Enabled());
        QCOMPARE(clicks, 1); // a double-click is no click
    }

    void withoutATrayMinimiseOnlyMinimises() {
        stopTrayer();
        // The tests after this one need the tray back, whatever happens here.
        const auto restart = qScopeGuard([this] {
            if (trayer->state() == QProcess::NotRunning)
                startTrayer();
        });
        QTRY_VERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.showMinimized();
            QTRY_VERIFY(window.isMinimized());
            for (int i = 0; i < 5; ++i) // the queued hide to the tray gets its turn
                QCoreApplication::processEvents();
            QVERIFY(window.isVisible()); // still mapped, still reachable
            QVERIFY(!window.TrayIcon->IconVisible());
            QVERIFY(!qtIcon(*window.TrayIcon));

            // The tray that comes later shows the icon that was asked for.
            startTrayer();
            QTRY_VERIFY(window.TrayIcon->IconVisible());
            QTRY_VERIFY(!dockedIcon().isNull());
            QVERIFY(window.isVisible());
        }
        QTRY_VERIFY(dockedIcon().isNull());
    }

    void visibleIconComesBackWithTheTray() {
        TTrayIcon visible, hidden;
        visible.setIcon(OrvikIcon());
        visible.setIconVisible(true);
        hidden.setIconVisible(true);
        hidden.setIconVisible(false);
        QPointer<QSystemTrayIcon> before = qtIcon(visible);
        QVERIFY(before);

        stopTrayer();
        QTRY_VERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        startTrayer();
        QTRY_VERIFY(before.isNull()); // the old one was forgotten, a new one added
        QTRY_VERIFY(qtIcon(visible));
        QTRY_VERIFY(!dockedIcon().isNull());
        QVERIFY(!qtIcon(hidden));
    }
};

QTEST_MAIN(TestTrayWindow)
#include "test_tray_window.moc"
