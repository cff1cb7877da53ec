// The Skins submenu, "Use Skins" and settings.ini, in a temporary program folder.
#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/SkinSetup.h"
#include "app/player/PlayerFactory.h"
#include "core/ProgramFolder.h"
#include "skin/data/SkinData.h"
#include "tests/common/InstalledFolderFixture.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QtTest>

#include <csignal>

namespace {

const QString kBuiltSkins = QStringLiteral(ORVIK_BUILD_DIR "/skins/");

// A program folder with skins/ holding copies of the built skins under the given names.
struct SkinFolder {
    explicit SkinFolder(const QStringList& names, bool withSkinsFolder = true) {
        if (!withSkinsFolder)
            return;
        QDir().mkpath(folder.path() + QStringLiteral("skins"));
        const QStringList built = QDir(kBuiltSkins).entryList({QStringLiteral("*.skn")});
        for (int i = 0; i < names.size(); ++i)
            QFile::copy(kBuiltSkins + built.value(i % built.size()),
                        folder.path() + QStringLiteral("skins/") + names[i]);
    }
    QString skin(const QString& name) const {
        return folder.path() + QStringLiteral("skins/") + name;
    }
    void writeSettings(const QString& text) const {
        QFile f(folder.path() + QStringLiteral("settings.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    QString setting(const QString& key) const {
        QSettings s(folder.path() + QStringLiteral("settings.ini"), QSettings::IniFormat);
        return s.value(key).toString();
    }
    // The order the file system gives.
    QStringList listed() const {
        return QDir(folder.path() + QStringLiteral("skins"))
            .entryList({QStringLiteral("*.skn")}, QDir::Files, QDir::Unsorted);
    }

    // A catalogue (its tables alone) keeps the settings in the program folder.
    ProgramFolderFixture folder{ProgramFolderFixture::Catalogue::SchemaOnly};
};

// The skin setup on its own, as the main window holds it.
struct Setup {
    Setup() {
        menu.addAction(QString()); // the placeholder
        useSkins.setCheckable(true);
        engine.SetActive(true);
    }
    QStringList captions() const {
        QStringList out;
        for (QAction* a : menu.actions())
            out << a->text();
        return out;
    }
    QAction* item(const QString& fileName) const {
        for (QAction* a : menu.actions())
            if (a->data().toString() == fileName)
                return a;
        return nullptr;
    }
    RecordingPresenter boxes;
    TSkinData engine;
    QMenu menu;
    QAction useSkins{QStringLiteral("Use Skins")};
    TSkinSetup setup{engine, &menu, &useSkins, nullptr};
};

} // namespace

class TestSkinSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void menuAndDefaults();
    void settingsApplied();
    void missingSkinFallsBack();
    void noSkinsFolder();
    void ampersandInName();
    void toggleSavedOnlyAtShutdown();
    void mainWindowWritesAtShutdown();
    void pickSurvivesAKill();
    void installedListsUserSkinsAfterShipped();
};

void TestSkinSetup::initTestCase() {
    QVERIFY2(QDir(kBuiltSkins).entryList({QStringLiteral("*.skn")}).size() >= 3,
             "the built skins are missing");
}

void TestSkinSetup::menuAndDefaults() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("pebble.skn"),
                  QStringLiteral("ember.skn")});
    Setup s;
    s.setup.SetUp();
    QCOMPARE(s.captions(), f.listed());
    for (QAction* a : s.menu.actions())
        QVERIFY(!a->isCheckable());
    // No settings file: the first skin found, skins on.
    QCOMPARE(s.engine.SkinFile(), f.skin(f.listed().first()));
    QVERIFY(s.engine.Active());
    QVERIFY(s.useSkins.isChecked());
    QVERIFY(s.boxes.boxes.isEmpty());

    // A pick is written at once.
    s.setup.SkinMenuItemClick(s.item(QStringLiteral("pebble.skn")));
    QCOMPARE(s.engine.SkinFile(), f.skin(QStringLiteral("pebble.skn")));
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("pebble.skn"));
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("1"));
}

void TestSkinSetup::settingsApplied() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("pebble.skn")});
    f.writeSettings(QStringLiteral("[Skins]\nSkin=pebble.skn\nActive=0\n"));
    Setup s;
    s.setup.SetUp();
    QCOMPARE(s.engine.SkinFile(), f.skin(QStringLiteral("pebble.skn")));
    QVERIFY(!s.engine.Active());
    QVERIFY(!s.useSkins.isChecked());

    // An empty value counts as missing.
    SkinFolder g({QStringLiteral("nightfall.skn"), QStringLiteral("pebble.skn")});
    g.writeSettings(QStringLiteral("[Skins]\nSkin=\nActive=7\n"));
    Setup t;
    t.setup.SetUp();
    QCOMPARE(t.engine.SkinFile(), g.skin(g.listed().first()));
    QVERIFY(t.engine.Active());
}

void TestSkinSetup::missingSkinFallsBack() {
    SkinFolder f({QStringLiteral("nightfall.skn")});
    f.writeSettings(QStringLiteral("[Skins]\nSkin=gone.skn\n"));
    Setup s;
    s.setup.SetUp();
    QVERIFY(s.engine.SkinFile().isEmpty()); // the stored skin stays in use
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QString());
    QVERIFY(s.boxes.boxes.isEmpty());
}

void TestSkinSetup::noSkinsFolder() {
    SkinFolder f({}, false);
    Setup s;
    s.setup.SetUp();
    QVERIFY(s.menu.actions().isEmpty());
    QVERIFY(s.engine.SkinFile().isEmpty());
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QString());
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("1"));
}

void TestSkinSetup::ampersandInName() {
    SkinFolder f({QStringLiteral("a&b.skn")});
    Setup s;
    s.setup.SetUp();
    QCOMPARE(s.captions(), QStringList({QStringLiteral("a&&b.skn")}));
    s.setup.SkinMenuItemClick(s.item(QStringLiteral("a&b.skn")));
    QCOMPARE(s.engine.SkinFile(), f.skin(QStringLiteral("a&b.skn")));
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("a&b.skn"));
    QVERIFY(s.boxes.boxes.isEmpty());
}

void TestSkinSetup::toggleSavedOnlyAtShutdown() {
    SkinFolder f({QStringLiteral("nightfall.skn")});
    Setup s;
    s.setup.SetUp();
    s.setup.mnuUseSkinsClick();
    QVERIFY(!s.engine.Active());
    QVERIFY(!s.useSkins.isChecked());
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QString()); // not yet written
    s.setup.mnuUseSkinsClick();
    QVERIFY(s.engine.Active());
    QVERIFY(s.useSkins.isChecked());
    s.setup.mnuUseSkinsClick();
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("0"));
}

void TestSkinSetup::mainWindowWritesAtShutdown() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("ember.skn")});
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    {
        TfrmMain w;
        QVERIFY(w.form().mnuUseSkins->isChecked());
        QCOMPARE(w.form().mnuSkins->actions().size(), 2);
        w.form().mnuUseSkins->trigger();
        QVERIFY(!w.SkinEngine->Active());
        w.skinSetup().SkinMenuItemClick(w.form().mnuSkins->actions().last());
    }
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("0"));
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), f.listed().last());
}

// A pick survives the program being killed before it could shut down.
void TestSkinSetup::pickSurvivesAKill() {
    if (qEnvironmentVariableIsSet("ORVIK_TEST_PICK_AND_DIE")) {
        orvik::setProgramFolder(qEnvironmentVariable("ORVIK_TEST_FOLDER"));
        Setup s;
        s.setup.SetUp();
        s.setup.SkinMenuItemClick(s.item(QStringLiteral("ember.skn")));
        std::raise(SIGKILL);
    }
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("ember.skn")});
    f.writeSettings(QStringLiteral("[Skins]\nSkin=nightfall.skn\nActive=1\n"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVIK_TEST_PICK_AND_DIE"), QStringLiteral("1"));
    env.insert(QStringLiteral("ORVIK_TEST_FOLDER"), f.folder.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("pickSurvivesAKill")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("ember.skn"));
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("1"));
}

// An installed program lists the shipped skins, then the user's own; a name both have is
// listed once and picks the shipped file. The choice goes to the user's settings file.
void TestSkinSetup::installedListsUserSkinsAfterShipped() {
    InstalledFolderFixture f;
    const QString shipped = f.share() + QStringLiteral("skins/");
    const QString users = f.userData() + QStringLiteral("skins/");
    QVERIFY(QDir().mkpath(users));
    QVERIFY(QFile::copy(kBuiltSkins + QStringLiteral("nightfall.skn"),
                        shipped + QStringLiteral("nightfall.skn")));
    QVERIFY(QFile::copy(kBuiltSkins + QStringLiteral("pebble.skn"),
                        users + QStringLiteral("nightfall.skn")));
    QVERIFY(
        QFile::copy(kBuiltSkins + QStringLiteral("ember.skn"), users + QStringLiteral("mine.skn")));
    Setup s;
    s.setup.SetUp();
    QCOMPARE(s.captions(),
             QStringList({QStringLiteral("nightfall.skn"), QStringLiteral("mine.skn")}));
    QCOMPARE(s.engine.SkinFile(), shipped + QStringLiteral("nightfall.skn"));
    s.setup.SkinMenuItemClick(s.item(QStringLiteral("mine.skn")));
    QCOMPARE(s.engine.SkinFile(), users + QStringLiteral("mine.skn"));
    QVERIFY(s.boxes.boxes.isEmpty());
    s.setup.ShutDown();
    QSettings written(f.userConfig() + QStringLiteral("settings.ini"), QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("Skins/Skin")).toString(), QStringLiteral("mine.skn"));
    QVERIFY(!QFile::exists(f.bin() + QStringLiteral("settings.ini")));

    // The next start finds the user's skin again.
    Setup next;
    next.setup.SetUp();
    QCOMPARE(next.engine.SkinFile(), users + QStringLiteral("mine.skn"));
}

QTEST_MAIN(TestSkinSetup)
#include "test_skinsetup.moc"
