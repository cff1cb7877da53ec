// The Debian package made by `cpack -G DEB` from the build tree: its name and control fields
// (dependencies worked out from the binaries), its files, and the program unpacked with
// dpkg-deb -x into a temporary root (never installed on this machine) started by a new user.
#include "tests/common/DesktopSession.h"
#include "tests/desktop/ProgramRun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString BuildDir = QStringLiteral(ORVIK_BUILD_DIR "/");

struct Tool {
    int exitCode = -1;
    QString output;
};

Tool runTool(const QString& program, const QStringList& arguments,
             const QString& folder = QString()) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    if (!folder.isEmpty())
        p.setWorkingDirectory(folder);
    p.start(program, arguments);
    Tool t;
    if (p.waitForFinished(240000) && p.exitStatus() == QProcess::NormalExit)
        t.exitCode = p.exitCode();
    t.output = QString::fromLocal8Bit(p.readAllStandardOutput());
    if (t.exitCode != 0)
        t.output += QString::fromLocal8Bit(p.readAllStandardError());
    return t;
}

} // namespace

class TestPackage : public QObject {
    Q_OBJECT

    QTemporaryDir work_;
    QString package_;
    QString field(const QString& name) {
        return runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package_, name})
            .output.trimmed();
    }

private slots:
    void initTestCase();
    void controlFields();
    void files();
    void unpackedStartsAsANewUser();
};

void TestPackage::initTestCase() {
    QVERIFY(work_.isValid());
    // The package as configured, but gzip instead of xz: a fifth of the time (about 7 s
    // instead of 26 s for the test build), and nothing here depends on the compression.
    const Tool cpack =
        runTool(QStringLiteral(ORVIK_CPACK_COMMAND),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 BuildDir + QStringLiteral("CPackConfig.cmake"), QStringLiteral("-B"), work_.path(),
                 QStringLiteral("-D"), QStringLiteral("CPACK_DEBIAN_COMPRESSION_TYPE=gzip")},
                work_.path());
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList made = QDir(work_.path()).entryList({QStringLiteral("*.deb")});
    QCOMPARE(made, QStringList{QStringLiteral("orvik_" ORVIK_VERSION "_amd64.deb")});
    package_ = work_.filePath(made.first());
}

void TestPackage::controlFields() {
    QCOMPARE(field(QStringLiteral("Package")), QStringLiteral("orvik"));
    QCOMPARE(field(QStringLiteral("Version")), QStringLiteral(ORVIK_VERSION));
    QCOMPARE(field(QStringLiteral("Architecture")), QStringLiteral("amd64"));
    // Worked out from the executable and the web view module, with versions; the SQLite driver
    // that Qt loads by name is the one listed by hand.
    const QString depends = field(QStringLiteral("Depends"));
    for (const char* library : {"libc6 (", "libqt6core6 (", "libqt6widgets6 (", "libmpv2 (",
                                "libqt6webenginewidgets6 (", "libqt6sql6-sqlite"})
        QVERIFY2(depends.contains(QLatin1String(library)), qPrintable(depends));
    QVERIFY(!field(QStringLiteral("Description")).isEmpty());
    QVERIFY(!field(QStringLiteral("Maintainer")).isEmpty());
}

void TestPackage::files() {
    const QString listing =
        runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), package_}).output;
    QStringList expected{QStringLiteral("./usr/bin/orvik"),
                         QStringLiteral("./usr/lib/orvik/orvik-webview.so"),
                         QStringLiteral("./usr/share/orvik/data.db"),
                         QStringLiteral("./usr/share/orvik/links.htm"),
                         QStringLiteral("./usr/share/orvik/report.htm"),
                         QStringLiteral("./usr/share/orvik/skins/nightfall.skn"),
                         QStringLiteral("./usr/share/applications/orvik.desktop"),
                         QStringLiteral("./usr/share/metainfo/orvik.metainfo.xml"),
                         QStringLiteral("./usr/share/icons/hicolor/scalable/apps/orvik.svg")};
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        expected << QStringLiteral("./usr/share/icons/hicolor/%1x%1/apps/orvik.png").arg(size);
    for (const QString& file : expected)
        QVERIFY2(listing.contains(u' ' + file + u'\n'), qPrintable(file));
    // Nothing of the build's own: no tests, no tools, no build paths.
    QVERIFY2(!listing.contains(QStringLiteral("test")), qPrintable(listing));
    QVERIFY(!listing.contains(QStringLiteral("CMakeFiles")));
}

void TestPackage::unpackedStartsAsANewUser() {
    QTemporaryDir root, home, runtime;
    const Tool unpack =
        runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package_, root.path()});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.output));
    QVERIFY(QFile::setPermissions(runtime.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    DesktopSession session(false);
    QVERIFY2(session.error().isEmpty(), qPrintable(session.error()));
    ProgramRun run(session, root.filePath(QStringLiteral("usr/bin/orvik")),
                   session.userEnvironment(home.path(), runtime.path()));
    const QString window = run.waitForWindow();
    QVERIFY2(!window.isEmpty(), run.output().constData());
    QCOMPARE(session.windowClass(window).value(1), QStringLiteral("Orvik"));

    // The sample catalogue, copied into the fresh user's data folder, is what it shows.
    const QString mine = home.filePath(QStringLiteral(".local/share/orvik/data.db"));
    const LoadedCatalogue shipped =
        expectedCatalogue(root.filePath(QStringLiteral("usr/share/orvik/data.db")));
    const LoadedCatalogue shown = run.loaded();
    QCOMPARE(shown.path, mine);
    QVERIFY(shipped.stations > 1000);
    QCOMPARE(shown.categories, shipped.categories);
    QCOMPARE(shown.stations, shipped.stations);
    QCOMPARE(expectedCatalogue(mine).stations, shipped.stations);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "test_package.moc"
