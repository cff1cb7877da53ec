// Minimise to tray on a real window with a real notification area: trayer is started on the
// test's X display and the icons go through QSystemTrayIcon.

#include "AppIcon.h"
#include "QtTrayShell.h"
#include "TrayIcon.h"
#include "TrayIconHandler.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QtTest>

#include <memory>

namespace {

// The notification area for the test: trayer, started and stopped by the test itself.
class Trayer {
public:
    ~Trayer() { stop(); }

    // Starts trayer; the caller waits for the notification area to become available. When
    // another one already owns the display's tray selection, trayer gives up and that one is
    // used; owned() then says false.
    bool start() {
        process_ = std::make_unique<QProcess>();
        process_->setProgram(QStringLiteral("trayer"));
        process_->setArguments({QStringLiteral("--edge"), QStringLiteral("top"),
                                QStringLiteral("--align"), QStringLiteral("right"),
                                QStringLiteral("--widthtype"), QStringLiteral("request"),
                                QStringLiteral("--height"), QStringLiteral("24")});
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->start();
        return process_->waitForStarted(10000);
    }

    bool owned() const { return process_ && process_->state() == QProcess::Running; }

    void stop() {
        if (!process_)
            return;
        if (process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(10000);
        }
        process_.reset();
    }

private:
    std::unique_ptr<QProcess> process_;
};

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Where the notification area shows an icon of this program, asked of the X server: a visible
// window of ours inside trayer's panel on the top edge of the screen. Null while none is docked.
QRect dockedIcon() {
    const QString ids = run(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--classname"), QCoreApplication::applicationName()});
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const QString& id : ids.split(u'\n', Qt::SkipEmptyParts)) {
        QRect rect;
        const QString shell =
            run(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id.trimmed()});
        for (const QString& line : shell.split(u'\n', Qt::SkipEmptyParts)) {
            const int value = line.section(u'=', 1).toInt();
            if (line.startsWith(QLatin1String("X=")))
                rect.moveLeft(value);
            else if (line.startsWith(QLatin1String("Y=")))
                rect.moveTop(value);
            else if (line.startsWith(QLatin1String("WIDTH=")))
                rect.setWidth(value);
            else if (line.startsWith(QLatin1String("HEIGHT=")))
                rect.setHeight(value);
        }
        if (rect.isValid() && rect.bottom() < 24 && rect.height() <= 24 &&
            rect.left() > screen.center().x())
            return rect;
    }
    return {};
}

// Real mouse clicks through the X server's test extension. (Not "mousemove --sync": it waits
// for a movement that never comes when the pointer is there already.)
void clickAt(const QPoint& at, int clicks) {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
         QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
         QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("1")});
}

QSystemTrayIcon* qtIcon(const TTrayIcon& icon) {
    TTrayIconHandler* handler = TTrayIconHandler::instance();
    return handler && handler->qtShell() ? handler->qtShell()->trayIcon(icon.Id()) : nullptr;
}

void postDoubleClick(const TTrayIcon& icon) {
    for (quint32 code :
         {TrayCode::LeftDown, TrayCode::LeftUp, TrayCode::LeftDoubleClick, TrayCode::LeftUp})
        TTrayIconHandler::instance()->post(icon.Id(), code);
}

// A small main window set up the way the program sets up its own.
class MainWindow : public QWidget {
public:
    MainWindow() {
        setWindowTitle(QStringLiteral("Orvik tray test"));
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

private:
    Trayer trayer;

private slots:
    void initTestCase() {
        QVERIFY2(trayer.start(), "trayer could not be started");
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
        TTrayIconHandler::setShellOverride(nullptr);
    }

    void cleanupTestCase() { trayer.stop(); }

    void minimiseHidesToTheTrayAndDoubleClickRestores() {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.TrayIcon->IconVisible());
        QVERIFY(!qtIcon(*window.TrayIcon)); // no icon before the first minimise

        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(window.TrayIcon->IconVisible());
        QPointer<QSystemTrayIcon> shown = qtIcon(*window.TrayIcon);
        QVERIFY(shown);
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->toolTip(), QStringLiteral("Orvik"));
        QVERIFY(!shown->icon().isNull());
        QTRY_VERIFY(!dockedIcon().isNull());

        postDoubleClick(*window.TrayIcon);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QCOMPARE(window.windowState(), Qt::WindowNoState);
        QCOMPARE(window.size(), QSize(320, 240));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.isActiveWindow());
        QCOMPARE(qtIcon(*window.TrayIcon), shown.data()); // the icon stays

        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(qtIcon(*window.TrayIcon), shown.data());
    }

    void realClicksOnTheDockedIcon() {
        MainWindow window;
        int clicks = 0;
        window.TrayIcon->OnClick = [&](TTrayIcon*) { ++clicks; };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.showMinimized();
        QTRY_VERIFY(!window.isVisible());
        QRect docked;
        QTRY_VERIFY(!(docked = dockedIcon()).isNull());

        // A single click is reported once the double-click time has passed.
        clickAt(docked.center(), 1);
        QTRY_COMPARE(clicks, 1);
        QTRY_VERIFY(!window.TrayIcon->ClickTimer().Enabled());
        QVERIFY(!window.isVisible());

        clickAt(docked.center(), 2);
        QTRY_VERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QTRY_VERIFY(!window.TrayIcon->ClickTimer().Enabled());
        QCOMPARE(clicks, 1); // a double-click is no click
    }

    void visibleIconComesBackWithTheTray() {
        if (!trayer.owned())
            QSKIP("the notification area belongs to another program and cannot be restarted");
        TTrayIcon visible;
        TTrayIcon hidden;
        visible.setIcon(OrvikIcon());
        hidden.setIcon(OrvikIcon());
        QVERIFY(visible.AddIcon());
        QVERIFY(hidden.AddIcon());
        QVERIFY(hidden.RemoveIcon());
        QPointer<QSystemTrayIcon> before = qtIcon(visible);
        QVERIFY(before);

        trayer.stop();
        QTRY_VERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        QVERIFY(trayer.start());
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);

        // The notification area came back: the visible icon was added anew, the other not.
        QTRY_VERIFY(before.isNull());
        QTRY_VERIFY(qtIcon(visible));
        QVERIFY(qtIcon(visible)->isVisible());
        QTRY_VERIFY(!dockedIcon().isNull());
        QVERIFY(visible.IconVisible());
        QVERIFY(!qtIcon(hidden));
        QVERIFY(!hidden.IconVisible());
    }

    void iconGoesWithTheWindow() {
        QPointer<QSystemTrayIcon> shown;
        {
            MainWindow window;
            window.TrayIcon->HideToTray();
            shown = qtIcon(*window.TrayIcon);
            QVERIFY(shown);
            QTRY_VERIFY(!dockedIcon().isNull());
        }
        QVERIFY(shown.isNull());
        QTRY_VERIFY(dockedIcon().isNull());
        QVERIFY(!TTrayIconHandler::instance());
    }
};

QTEST_MAIN(TestTrayWindow)
#include "test_tray_window.moc"
