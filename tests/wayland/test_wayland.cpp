// The installed program on Wayland, on the real weston compositor: the main window maps without
// the system's decoration and shows the skin's frame on screen (headless, read back through
// the compositor's screenshots), and a press and drag on the skinned caption asks the
// compositor to move the window, which it then does (weston's X11 back end, whose pointer
// xdotool drives; the headless back end has no input devices, so no client can start a move
// there).
#include "tests/common/DesktopSession.h"
#include "tests/frame/FrameTestSkin.h"
#include "tests/wayland/WestonSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <optional>

using namespace frametest;

namespace {

const QString BuildDir = QStringLiteral(ORVIK_BUILD_DIR "/");
const QList<ButtonSpec> Buttons{{"BUTTONCLOSE", 0, 1, 20, 6, 0},
                                {"BUTTONMAX", 1, 1, 40, 6, 0},
                                {"BUTTONMIN", 2, 1, 60, 6, 0},
                                {"BUTTONICON", 3, 0, 8, 6, 0}};
constexpr int TitleHeight = 24;

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool isOneOf(QRgb pixel, std::initializer_list<QColor> colours) {
    for (const QColor& c : colours)
        if ((pixel | 0xff000000) == c.rgb())
            return true;
    return false;
}

// Why the window in `box` of the screenshot is not framed by the test skin, or empty when it
// is: its outer row and columns are the skin's border cells (active or inactive), and its
// title band holds the caption buttons' cells.
QString notSkinned(const QImage& shot, const QRect& box) {
    if (box.width() < 200 || box.height() < 100)
        return QStringLiteral("no window on screen (%1x%2)").arg(box.width()).arg(box.height());
    for (int x = box.left(); x <= box.right(); ++x)
        if (!isOneOf(shot.pixel(x, box.top()),
                     {TopActive, TopInactive, LeftActive, LeftInactive, RightActive, RightInactive,
                      PlateActive, PlateInactive}))
            return QStringLiteral("top row at x %1 is %2, not the skin's border")
                .arg(x - box.left())
                .arg(QColor(shot.pixel(x, box.top())).name());
    const int midY = box.top() + box.height() / 2, midX = box.left() + box.width() / 2;
    if (!isOneOf(shot.pixel(box.left(), midY), {LeftActive, LeftInactive}))
        return QStringLiteral("left column is not the skin's left border");
    if (!isOneOf(shot.pixel(box.right(), midY), {RightActive, RightInactive}))
        return QStringLiteral("right column is not the skin's right border");
    if (!isOneOf(shot.pixel(midX, box.bottom()), {BottomActive, BottomInactive}))
        return QStringLiteral("bottom row is not the skin's bottom border");
    int buttonPixels = 0;
    for (int y = box.top(); y < box.top() + TitleHeight; ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            buttonPixels += isOneOf(shot.pixel(x, y), {ButtonCells[0], ButtonCells[3]});
    if (buttonPixels < 3 * ButtonW * ButtonH)
        return QStringLiteral("only %1 pixels of caption buttons in the title").arg(buttonPixels);
    return {};
}

} // namespace

class TestWayland : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString program_;
    QString home_;
    QString log_;
    int runs_ = 0;

    // What the running program has written so far (to a file, so that a chatty program never
    // waits for a full pipe).
    QByteArray output() const {
        QFile f(log_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Waits until the program's output holds `text`.
    bool waitForOutput(const QProcess& p, const QByteArray& text, int ms) const {
        const QDeadlineTimer deadline(ms);
        while (!output().contains(text)) {
            if (deadline.hasExpired() || p.state() != QProcess::Running)
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    // Starts the installed program on the compositor with the test skin picked and skinning
    // on or off; waits for its first paint.
    std::unique_ptr<QProcess> start(const WestonSession& weston, bool skins,
                                    bool protocolLog = false);
    // Takes screenshots until the window is on screen and has stopped changing.
    QRect waitForWindow(const WestonSession& weston, QImage* shot,
                        std::optional<QPoint> awayFrom = {});

private slots:
    void initTestCase();
    void mapsWithTheSkinsFrameAndNoSystemDecoration();
    void captionDragAsksTheCompositorToMove();
};

void TestWayland::initTestCase() {
    QVERIFY(root_.isValid());
    const QString prefix = root_.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ORVIK_CMAKE_COMMAND),
                  {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
    program_ = prefix + QStringLiteral("/bin/orvik");
    home_ = root_.filePath(QStringLiteral("home"));
    QVERIFY(writeFile(home_ + QStringLiteral("/.local/share/orvik/skins/flat.skn"),
                      makeRecipe(Buttons).container()));
}

std::unique_ptr<QProcess> TestWayland::start(const WestonSession& weston, bool skins,
                                             bool protocolLog) {
    const QByteArray settings =
        QByteArrayLiteral("[Skins]\r\nSkin=flat.skn\r\nActive=") + (skins ? "1" : "0") + "\r\n";
    if (!writeFile(home_ + QStringLiteral("/.config/orvik/settings.ini"), settings))
        return nullptr;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "DISPLAY"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("HOME"), home_);
    weston.addClientEnvironment(env);
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("orvik.startup.info=true"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("detect_leaks=0:detect_odr_violation=0:new_delete_type_mismatch=0"));
    if (protocolLog)
        env.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::MergedChannels);
    log_ = root_.filePath(QStringLiteral("run-%1.log").arg(++runs_));
    p->setStandardOutputFile(log_);
    p->start(program_, {});
    if (!p->waitForStarted(10000) || !waitForOutput(*p, "first paint", 90000)) {
        qWarning("no first paint: %s", output().right(4000).constData());
        return nullptr;
    }
    return p;
}

QRect TestWayland::waitForWindow(const WestonSession& weston, QImage* shot,
                                 std::optional<QPoint> awayFrom) {
    QImage last;
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        const QImage now = weston.screenshot();
        const QRect box = now.isNull() ? QRect() : shownArea(now);
        const bool placed = box.width() > 200 && (!awayFrom || box.topLeft() != *awayFrom);
        if (placed && now == last) {
            *shot = now;
            return box;
        }
        last = now;
        QThread::msleep(100);
    }
    return {};
}

void TestWayland::mapsWithTheSkinsFrameAndNoSystemDecoration() {
    WestonSession weston(WestonSession::Backend::Headless);
    QVERIFY2(weston.error().isEmpty(), qPrintable(weston.error()));
    {
        auto program = start(weston, true);
        QVERIFY(program);
        QImage shot;
        const QRect box = waitForWindow(weston, &shot);
        const QString why = notSkinned(shot, box);
        if (!why.isEmpty())
            shot.save(root_.filePath(QStringLiteral("skinned.png")));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        program->terminate();
        QVERIFY(program->waitForFinished(20000));
    }
    // The same window with "Use Skins" off: the check above tells the difference.
    auto program = start(weston, false);
    QVERIFY(program);
    QImage shot;
    const QRect box = waitForWindow(weston, &shot);
    QVERIFY(box.width() > 200);
    QVERIFY(!notSkinned(shot, box).isEmpty());
    program->terminate();
    QVERIFY(program->waitForFinished(20000));
}

void TestWayland::captionDragAsksTheCompositorToMove() {
    DesktopSession x(false);
    QVERIFY2(x.error().isEmpty(), qPrintable(x.error()));
    WestonSession weston(WestonSession::Backend::X11, x.display());
    QVERIFY2(weston.error().isEmpty(), qPrintable(weston.error()));
    auto program = start(weston, true, true);
    QVERIFY(program);
    QImage shot;
    const QRect before = waitForWindow(weston, &shot);
    QVERIFY2(notSkinned(shot, before).isEmpty(), qPrintable(notSkinned(shot, before)));

    // Press on the caption (clear of the icon at the left and the buttons at the right), move
    // a little: the program asks the compositor to move its window.
    const QPoint press = before.topLeft() + QPoint(120, 12);
    const QPoint delta(before.left() > 200 ? -150 : 150, before.top() > 150 ? -100 : 100);
    auto xdotool = [&](const QStringList& args) {
        int code = -1;
        x.run(QStringLiteral("xdotool"), args, &code);
        return code == 0;
    };
    auto at = [](const QPoint& p) {
        return QStringList{QStringLiteral("mousemove"), QString::number(p.x()),
                           QString::number(p.y())};
    };
    QVERIFY(!output().contains(".move("));
    QVERIFY(xdotool(at(press)));
    QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    QVERIFY(xdotool(at(press + QPoint(8, 0))));
    const bool asked = waitForOutput(*program, ".move(", 15000);
    QVERIFY(xdotool(at(press + delta / 2)));
    QVERIFY(xdotool(at(press + delta)));
    QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    QVERIFY2(asked, "the program sent no move request to the compositor");

    // The compositor moved the window by the pointer's way, frame and all.
    const QRect after = waitForWindow(weston, &shot, before.topLeft());
    QCOMPARE(after.topLeft(), before.topLeft() + delta);
    QCOMPARE(after.size(), before.size());
    QVERIFY2(notSkinned(shot, after).isEmpty(), qPrintable(notSkinned(shot, after)));
    program->terminate();
    QVERIFY(program->waitForFinished(20000));
}

QTEST_GUILESS_MAIN(TestWayland)
#include "test_wayland.moc"
