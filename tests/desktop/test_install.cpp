// The program installed with `cmake --install` into a temporary prefix: the layout, the
// launcher and the AppStream metadata through the desktop's own validators, the icons, and
// the installed program started as a new user on a desktop of its own (window class, the
// catalogue copied for the user, one instance, a second start raising the first out of the
// tray, a stale lock after a kill, settings kept in the user's folder).
#include "tests/common/DesktopSession.h"
#include "tests/desktop/ProgramRun.h"

#include <QDirIterator>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <memory>

namespace {

const QString BuildDir = QStringLiteral(ORVIK_BUILD_DIR "/");
const QString SourceDir = QStringLiteral(ORVIK_SOURCE_DIR "/");
const QList<int> IconSizes{16, 22, 24, 32, 48, 64, 128, 256};

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Key=value of the [Desktop Entry] group (QSettings would read ';' lists apart).
QString desktopKey(const QString& file, const QString& key) {
    for (const QString& line : readText(file).split(u'\n'))
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

struct Tool {
    int exitCode = -1;
    QString output;
};

Tool runTool(const QString& program, const QStringList& arguments, int ms = 120000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    Tool t;
    if (p.waitForFinished(ms) && p.exitStatus() == QProcess::NormalExit)
        t.exitCode = p.exitCode();
    t.output = QString::fromLocal8Bit(p.readAll());
    return t;
}

// Pixels that are neither see-through nor solid: the blur of an edge.
int partialPixels(const QImage& image) {
    int partial = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(image.pixel(x, y));
            partial += a > 0 && a < 255;
        }
    return partial;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString prefix_;
    std::unique_ptr<DesktopSession> session_;
    QTemporaryDir home_;
    QTemporaryDir runtime_;
    std::unique_ptr<ProgramRun> first_;
    QString window_;

    QString installed(const QString& path) const { return prefix_ + path; }
    QString userCatalogue() const {
        return home_.path() + QStringLiteral("/.local/share/orvik/data.db");
    }
    std::unique_ptr<ProgramRun> start() {
        return std::make_unique<ProgramRun>(
            *session_, installed(QStringLiteral("bin/orvik")),
            session_->userEnvironment(home_.path(), runtime_.path()));
    }

private slots:
    void initTestCase();
    void layout();
    void launcher();
    void metadata();
    void icons();
    void startsAsANewUser();
    void secondStartRaisesTheFirstOutOfTheTray();
    void settingsInTheUsersFolder();
    void usersCatalogueKeptAndStaleLockIgnored();
};

void TestInstall::initTestCase() {
    QVERIFY(root_.isValid() && home_.isValid() && runtime_.isValid());
    prefix_ = root_.path() + QStringLiteral("/prefix/");
    const Tool install =
        runTool(QStringLiteral(ORVIK_CMAKE_COMMAND),
                {QStringLiteral("--install"), BuildDir, QStringLiteral("--prefix"), prefix_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    QVERIFY(QFile::setPermissions(runtime_.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

void TestInstall::layout() {
    QVERIFY(QFileInfo(installed(QStringLiteral("bin/orvik"))).isExecutable());
    QVERIFY(QFileInfo::exists(installed(QStringLiteral("lib/orvik/orvik-webview.so"))));
    for (const QString& file : {QStringLiteral("data.db"), QStringLiteral("links.htm")}) {
        QFile shipped(installed(QStringLiteral("share/orvik/") + file));
        QFile built(BuildDir + file);
        QVERIFY(shipped.open(QIODevice::ReadOnly) && built.open(QIODevice::ReadOnly));
        QVERIFY2(shipped.readAll() == built.readAll(), qPrintable(file));
    }
    const QStringList skins = QDir(installed(QStringLiteral("share/orvik/skins")))
                                  .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(skins, QDir(BuildDir + QStringLiteral("skins")).entryList({QStringLiteral("*.skn")}));
    QVERIFY(!skins.isEmpty());
    // The program folder of an installed program holds no data of its own.
    QCOMPARE(
        QDir(installed(QStringLiteral("bin"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList{QStringLiteral("orvik")});
}

void TestInstall::launcher() {
    const QString file = installed(QStringLiteral("share/applications/orvik.desktop"));
    const Tool validate = runTool(QStringLiteral("desktop-file-validate"), {file});
    QVERIFY2(validate.exitCode == 0 && validate.output.trimmed().isEmpty(),
             qPrintable(validate.output));
    QCOMPARE(desktopKey(file, QStringLiteral("Categories")),
             QStringLiteral("AudioVideo;Audio;Video;Player;TV;"));
    QCOMPARE(desktopKey(file, QStringLiteral("Icon")), QStringLiteral("orvik"));
    QCOMPARE(desktopKey(file, QStringLiteral("Exec")), QStringLiteral("orvik"));
    QVERIFY(!desktopKey(file, QStringLiteral("Comment")).isEmpty());
    QVERIFY(!desktopKey(file, QStringLiteral("StartupWMClass")).isEmpty());
}

void TestInstall::metadata() {
    const QString file = installed(QStringLiteral("share/metainfo/orvik.metainfo.xml"));
    const Tool validate = runTool(QStringLiteral("appstreamcli"),
                                  {QStringLiteral("validate"), QStringLiteral("--no-net"), file});
    QVERIFY2(validate.exitCode == 0, qPrintable(validate.output));

    QString launchable, release;
    QStringList images;
    bool description = false;
    QXmlStreamReader xml(readText(file));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"launchable")
            launchable = xml.readElementText();
        else if (xml.name() == u"release")
            release = xml.attributes().value(QStringLiteral("version")).toString();
        else if (xml.name() == u"image")
            images << xml.readElementText();
        else if (xml.name() == u"description" && release.isEmpty())
            description = true;
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(launchable, QStringLiteral("orvik.desktop"));
    QCOMPARE(release, QStringLiteral(ORVIK_VERSION));
    QVERIFY(description);

    // The screenshots are the README's pictures, each a file of the repository.
    QStringList readme;
    const QRegularExpression picture(QStringLiteral("^!\\[[^]]*\\]\\(([^)]+)\\)"),
                                     QRegularExpression::MultilineOption);
    for (auto it = picture.globalMatch(readText(SourceDir + QStringLiteral("README.md")));
         it.hasNext();)
        readme << it.next().captured(1);
    QVERIFY(!readme.isEmpty());
    QCOMPARE(images.size(), readme.size());
    for (int i = 0; i < images.size(); ++i) {
        QVERIFY2(images[i].startsWith(QStringLiteral("https://")) &&
                     images[i].endsWith(u'/' + readme[i]),
                 qPrintable(images[i]));
        QVERIFY2(QFileInfo::exists(SourceDir + readme[i]), qPrintable(readme[i]));
    }
}

void TestInstall::icons() {
    const QString theme = installed(QStringLiteral("share/icons/hicolor/"));
    const QImage largest(theme + QStringLiteral("256x256/apps/orvik.png"));
    QCOMPARE(largest.size(), QSize(256, 256));
    for (const int size : IconSizes) {
        const QString file = theme + QStringLiteral("%1x%1/apps/orvik.png").arg(size);
        const QImage icon = QImage(file).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);              // see-through corner
        QCOMPARE(qAlpha(icon.pixel(size / 2, size * 5 / 8)), 255); // solid screen
        if (size >= 128)
            continue;
        // Drawn for its own grid: sharper edges than the large icon scaled down to it.
        const QImage scaled =
            largest.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(partialPixels(icon) < partialPixels(scaled),
                 qPrintable(QStringLiteral("%1: %2 blurred pixels, %3 when scaled")
                                .arg(size)
                                .arg(partialPixels(icon))
                                .arg(partialPixels(scaled))));
    }

    // The scalable icon is the same picture.
    QSvgRenderer svg(theme + QStringLiteral("scalable/apps/orvik.svg"));
    QVERIFY(svg.isValid());
    QImage drawn(256, 256, QImage::Format_ARGB32);
    drawn.fill(Qt::transparent);
    {
        QPainter p(&drawn);
        svg.render(&p);
    }
    int differing = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb a = drawn.pixel(x, y), b = largest.pixel(x, y);
            differing += qAbs(qAlpha(a) - qAlpha(b)) > 96 || qAbs(qRed(a) - qRed(b)) > 96 ||
                         qAbs(qGreen(a) - qGreen(b)) > 96 || qAbs(qBlue(a) - qBlue(b)) > 96;
        }
    QVERIFY2(differing < 256 * 256 / 50, qPrintable(QString::number(differing)));
}

void TestInstall::startsAsANewUser() {
    session_ = std::make_unique<DesktopSession>(true);
    QVERIFY2(session_->error().isEmpty(), qPrintable(session_->error()));
    first_ = start();
    window_ = first_->waitForWindow();
    QVERIFY2(!window_.isEmpty(), first_->output().constData());

    // The window belongs to the launcher: its class is the launcher's StartupWMClass.
    const QStringList wmClass = session_->windowClass(window_);
    QCOMPARE(wmClass.size(), 2);
    QCOMPARE(wmClass[1], desktopKey(installed(QStringLiteral("share/applications/orvik.desktop")),
                                    QStringLiteral("StartupWMClass")));
    QCOMPARE(wmClass[0], QStringLiteral("orvik"));

    // The shipped catalogue, copied for this user, is the one on screen.
    QVERIFY(QFileInfo(userCatalogue()).isFile());
    const LoadedCatalogue shown = first_->loaded();
    const LoadedCatalogue shipped =
        expectedCatalogue(installed(QStringLiteral("share/orvik/data.db")));
    QCOMPARE(shown.path, userCatalogue());
    QVERIFY(shipped.stations > 1000);
    QCOMPARE(shown.categories, shipped.categories);
    QCOMPARE(shown.stations, shipped.stations);
}

void TestInstall::secondStartRaisesTheFirstOutOfTheTray() {
    QVERIFY(first_ && !window_.isEmpty());
    session_->run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), window_});
    QTRY_VERIFY_WITH_TIMEOUT(!first_->windowShown(window_), 15000);

    ProgramRun second(*session_, installed(QStringLiteral("bin/orvik")),
                      session_->userEnvironment(home_.path(), runtime_.path()));
    QVERIFY(second.process().waitForFinished(60000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QVERIFY2(second.process().exitCode() == 0, second.output().constData());
    QTRY_VERIFY_WITH_TIMEOUT(first_->windowShown(window_), 15000);
    QCOMPARE(first_->process().state(), QProcess::Running);
    QCOMPARE(session_->visibleWindows(second.pid()), QStringList());
}

void TestInstall::settingsInTheUsersFolder() {
    QVERIFY(first_ && !window_.isEmpty());
    // Closed the way a user closes a window: the window manager's close key.
    session_->run(QStringLiteral("xdotool"),
                  {QStringLiteral("windowactivate"), QStringLiteral("--sync"), window_});
    session_->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+F4")});
    QVERIFY2(first_->process().waitForFinished(60000), first_->output().constData());
    QCOMPARE(first_->process().exitStatus(), QProcess::NormalExit);
    const QString settings = home_.path() + QStringLiteral("/.config/orvik/settings.ini");
    QVERIFY(QFileInfo(settings).isFile());
    QSettings ini(settings, QSettings::IniFormat);
    QCOMPARE(ini.value(QStringLiteral("Skins/Active")).toString(), QStringLiteral("1"));
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("bin/settings.ini"))));
    QVERIFY(!QFileInfo::exists(installed(QStringLiteral("share/orvik/settings.ini"))));
    first_.reset();
}

void TestInstall::usersCatalogueKeptAndStaleLockIgnored() {
    first_.reset();
    // The user's own change is kept by the next start, not overwritten by the shipped file.
    QCOMPARE(catalogueNumber(userCatalogue(),
                             QStringLiteral("insert into categories (c_name) values ('Mine')")),
             0);
    const LoadedCatalogue shipped =
        expectedCatalogue(installed(QStringLiteral("share/orvik/data.db")));
    auto run = start();
    QVERIFY(!run->waitForWindow().isEmpty());
    QCOMPARE(run->loaded().categories, shipped.categories + 1);

    // Killed, it leaves its lock file behind; the next start is not stopped by it.
    run->process().kill();
    QVERIFY(run->process().waitForFinished(10000));
    QVERIFY(!QDir(runtime_.path()).entryList({QStringLiteral("orvik-*.lock")}).isEmpty());
    auto next = start();
    QVERIFY2(!next->waitForWindow().isEmpty(), next->output().constData());
    QCOMPARE(next->loaded().categories, shipped.categories + 1);
}

QTEST_GUILESS_MAIN(TestInstall)
#include "test_install.moc"
