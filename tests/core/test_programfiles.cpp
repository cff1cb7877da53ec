// Where the program finds its files: its own folder, a read-only folder, an installed layout;
// the first-start copy of the catalogue, also when it is cut short.
#include "core/ErrorWrapper.h"
#include "core/FileCopy.h"
#include "core/ProgramFiles.h"
#include "core/ProgramFolder.h"
#include "tests/common/InstalledFolderFixture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace orvik;

namespace {

QByteArray randomBytes(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator gen(size);
    for (char& c : bytes)
        c = char(gen.bounded(256));
    return bytes;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Temporary files of copies under way or cut short, beside the catalogue.
QStringList parts(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("data.db.copy-*")}, QDir::Files | QDir::Hidden);
}

// A catalogue of several copy chunks, so that a copy can be cut in the middle.
const QByteArray Seed = randomBytes(1024 * 1024 + 12345);

} // namespace

class TestProgramFiles : public QObject {
    Q_OBJECT
private slots:
    void ownFolder();
    void readOnlyFolderWithCatalogue();
    void installedLayout();
    void firstStartCopiesOnce();
    void copyCutShort();
    void copyKilled();
    void copyKeepsAFileMadeMeanwhile();
    void copyFailure();
    void skinsShippedThenUsers();
};

void TestProgramFiles::ownFolder() {
    InstalledFolderFixture user; // a fresh home that must stay untouched
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QVERIFY(write(folder + QStringLiteral("data.db"), Seed));
    setProgramFolder(folder);

    QVERIFY(runsFromOwnFolder());
    QCOMPARE(shippedFolder(), folder);
    QCOMPARE(cataloguePath(), folder + QStringLiteral("data.db"));
    QCOMPARE(settingsPath(), folder + QStringLiteral("settings.ini"));
    QCOMPARE(linksPagePath(), folder + QStringLiteral("links.htm"));
    QCOMPARE(skinFolders(), QStringList{folder + QStringLiteral("skins/")});
    QCOMPARE(userSkinFolder(), QString());
    prepareCatalogue();
    QVERIFY(QDir(user.home()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));

    // Without its catalogue the folder is no longer one the program keeps its data in.
    QVERIFY(QFile::remove(folder + QStringLiteral("data.db")));
    QVERIFY(!runsFromOwnFolder());
    QCOMPARE(cataloguePath(), user.userData() + QStringLiteral("data.db"));
}

void TestProgramFiles::readOnlyFolderWithCatalogue() {
    InstalledFolderFixture user;
    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    QVERIFY(write(folder + QStringLiteral("data.db"), Seed));
    setProgramFolder(folder);
    // Mode 555: read-only for every user, root too.
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther |
                                              QFile::ExeOther));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    QVERIFY(!runsFromOwnFolder());
    QCOMPARE(shippedFolder(), folder);
    QCOMPARE(shippedCataloguePath(), folder + QStringLiteral("data.db"));
    QCOMPARE(cataloguePath(), user.home() + QStringLiteral(".local/share/orvik/data.db"));
    QCOMPARE(settingsPath(), user.home() + QStringLiteral(".config/orvik/settings.ini"));
    QCOMPARE(skinFolders(), QStringList({folder + QStringLiteral("skins/"),
                                         user.userData() + QStringLiteral("skins/")}));
    prepareCatalogue();
    QCOMPARE(contents(cataloguePath()), Seed);
}

void TestProgramFiles::installedLayout() {
    InstalledFolderFixture f;
    QVERIFY(f.ship(QStringLiteral("data.db"), Seed));
    QVERIFY(!runsFromOwnFolder());
    QCOMPARE(shippedFolder(), f.share());
    QCOMPARE(linksPagePath(), f.share() + QStringLiteral("links.htm"));
    QCOMPARE(userDataFolder(), f.userData());
    QCOMPARE(cataloguePath(), f.userData() + QStringLiteral("data.db"));
    QCOMPARE(settingsPath(), f.userConfig() + QStringLiteral("settings.ini"));
    QCOMPARE(userSkinFolder(), f.userData() + QStringLiteral("skins/"));
    QCOMPARE(moduleFolders(), QStringList({f.bin(), f.prefix() + QStringLiteral("lib/orvik/")}));

    // The XDG variables, when set, name the user's folders.
    QTemporaryDir xdg;
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg.path() + QStringLiteral("/d")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path() + QStringLiteral("/c")));
    QCOMPARE(cataloguePath(), xdg.path() + QStringLiteral("/d/orvik/data.db"));
    QCOMPARE(settingsPath(), xdg.path() + QStringLiteral("/c/orvik/settings.ini"));
    QCOMPARE(userSkinFolder(), xdg.path() + QStringLiteral("/d/orvik/skins/"));
}

void TestProgramFiles::firstStartCopiesOnce() {
    InstalledFolderFixture f;
    QVERIFY(f.ship(QStringLiteral("data.db"), Seed));
    QVERIFY(!QFile::exists(cataloguePath()));
    prepareCatalogue();
    QCOMPARE(contents(cataloguePath()), Seed);
    QVERIFY(parts(f.userData()).isEmpty());

    // The user's own changes survive the next start and an update of the shipped catalogue.
    const QByteArray mine = randomBytes(4096);
    QVERIFY(write(cataloguePath(), mine));
    QVERIFY(f.ship(QStringLiteral("data.db"), randomBytes(2048)));
    prepareCatalogue();
    QCOMPARE(contents(cataloguePath()), mine);

    // Without a shipped catalogue nothing is made: opening then reports the missing file.
    InstalledFolderFixture bare;
    prepareCatalogue();
    QVERIFY(!QFile::exists(cataloguePath()));
}

void TestProgramFiles::copyCutShort() {
    InstalledFolderFixture f;
    QVERIFY(f.ship(QStringLiteral("data.db"), Seed));
    int chunks = 0;
    try {
        prepareCatalogue([&](qint64 copied) {
            ++chunks;
            if (copied < Seed.size())
                throw Error(QStringLiteral("cut"));
        });
        QFAIL("the copy went on");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("cut"));
    }
    QCOMPARE(chunks, 1);
    QVERIFY(!QFile::exists(cataloguePath()));
    QVERIFY(parts(f.userData()).isEmpty());
    prepareCatalogue();
    QCOMPARE(contents(cataloguePath()), Seed);
}

// The program killed in the middle of the first-start copy: no catalogue under its name, and
// the next start makes a whole one and clears the old leftover away.
void TestProgramFiles::copyKilled() {
    if (qEnvironmentVariableIsSet("ORVIK_TEST_COPY_AND_DIE")) {
        setProgramFolder(qEnvironmentVariable("ORVIK_TEST_FOLDER"));
        prepareCatalogue([](qint64) { std::raise(SIGKILL); });
        return;
    }
    InstalledFolderFixture f;
    QVERIFY(f.ship(QStringLiteral("data.db"), Seed));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVIK_TEST_COPY_AND_DIE"), QStringLiteral("1"));
    env.insert(QStringLiteral("ORVIK_TEST_FOLDER"), f.bin());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("copyKilled")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY(!QFile::exists(cataloguePath()));
    // The copy is an unnamed file where the file system has them, and leaves nothing; else
    // its temporary file stays behind. Such leftovers from long ago go at the next copy, a
    // recent one (a copy under way elsewhere) stays.
    QVERIFY(parts(f.userData()).size() <= 1);
    for (const QString& name : parts(f.userData()))
        QVERIFY(
            QFile::rename(f.userData() + name, f.userData() + QStringLiteral("data.db.copy-a")));
    QVERIFY(write(f.userData() + QStringLiteral("data.db.copy-a"), "old"));
    QVERIFY(write(f.userData() + QStringLiteral("data.db.copy-b"), "recent"));
    QFile old(f.userData() + QStringLiteral("data.db.copy-a"));
    QVERIFY(old.open(QIODevice::ReadWrite));
    QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                            QFileDevice::FileModificationTime));
    old.close();
    prepareCatalogue();
    QCOMPARE(contents(cataloguePath()), Seed);
    QCOMPARE(parts(f.userData()), QStringList{QStringLiteral("data.db.copy-b")});
}

void TestProgramFiles::copyKeepsAFileMadeMeanwhile() {
    QTemporaryDir dir;
    const QString from = dir.filePath(QStringLiteral("seed"));
    const QString to = dir.filePath(QStringLiteral("data.db"));
    QVERIFY(write(from, Seed));
    const QByteArray theirs("made by another program");
    const bool made = copyFileWithoutReplacing(from, to, [&](qint64) {
        if (!QFile::exists(to))
            QVERIFY(write(to, theirs));
    });
    QVERIFY(!made);
    QCOMPARE(contents(to), theirs);
    QVERIFY(parts(dir.path()).isEmpty());
    // An existing target is not even read.
    QVERIFY(!copyFileWithoutReplacing(from, to));
    QCOMPARE(contents(to), theirs);
}

void TestProgramFiles::copyFailure() {
    InstalledFolderFixture f;
    QVERIFY(f.ship(QStringLiteral("data.db"), Seed));
    // The user's data folder cannot be made: a file stands where it would be.
    QTemporaryDir xdg;
    const QString blocker = xdg.filePath(QStringLiteral("data"));
    QVERIFY(write(blocker, "x"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker));
    try {
        prepareCatalogue();
        QFAIL("no error");
    } catch (const Error& e) {
        QVERIFY2(e.message().contains(blocker + QStringLiteral("/orvik")), qPrintable(e.message()));
    }
    QCOMPARE(contents(blocker), QByteArray("x"));
}

void TestProgramFiles::skinsShippedThenUsers() {
    InstalledFolderFixture f;
    const QString users = f.userData() + QStringLiteral("skins/");
    QVERIFY(QDir().mkpath(users));
    QVERIFY(f.ship(QStringLiteral("skins/a.skn"), "shipped a"));
    QVERIFY(f.ship(QStringLiteral("skins/b.skn"), "shipped b"));
    QVERIFY(write(users + QStringLiteral("b.skn"), "user b"));
    QVERIFY(write(users + QStringLiteral("c.skn"), "user c"));
    QCOMPARE(skinFolders(), QStringList({f.share() + QStringLiteral("skins/"), users}));
    QCOMPARE(findSkin(QStringLiteral("a.skn")), f.share() + QStringLiteral("skins/a.skn"));
    QCOMPARE(findSkin(QStringLiteral("b.skn")), f.share() + QStringLiteral("skins/b.skn"));
    QCOMPARE(findSkin(QStringLiteral("c.skn")), users + QStringLiteral("c.skn"));
    // Only a file name in one of the folders: never a path out of them.
    QVERIFY(write(f.share() + QStringLiteral("outside.skn"), "outside"));
    for (const QString& name :
         {QStringLiteral("../outside.skn"), QStringLiteral("."), QStringLiteral(".."), QString(),
          QStringLiteral("missing.skn"), f.share() + QStringLiteral("outside.skn")})
        QCOMPARE(findSkin(name), QString());
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "test_programfiles.moc"
