// The Skins submenu, "Use Skins" and settings.ini, in a temporary program folder.
#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/SkinSetup.h"
#include "app/player/PlayerFactory.h"
#include "core/ProgramFolder.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"
#include "tests/common/InstalledFolderFixture.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/ResourceMeter.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QSettings>
#include <QtEndian>
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
    QString settingsPath() const { return folder.path() + QStringLiteral("settings.ini"); }
    QByteArray settingsText() const {
        QFile f(settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // "Section/Key" as the file holds it: the value of the key's first line in the section.
    QString setting(const QString& path) const {
        const QString section = path.section(u'/', 0, 0), key = path.section(u'/', 1);
        bool inSection = false;
        for (const QByteArray& raw : settingsText().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(u'['))
                inSection = line.compare(u'[' + section + u']', Qt::CaseInsensitive) == 0;
            else if (inSection && line.section(u'=', 0, 0).trimmed() == key)
                return line.section(u'=', 1).trimmed();
        }
        return QString();
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
        engine.SetErrorHook(&TSkinSetup::ShowSkinError); // as the main window has it
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
    void settingsAsUsersWriteThem();
    void garbageSettingsAreWrittenWithoutComplaint();
    void realWriteFailureIsReported();
    void mainWindowShowsTheWriteFailure();
    void oversizedSettingsAreSetAside();
    void refusedSkinIsNotRemembered();
    void skinNamesOnlyAFileInTheSkinsFolder();
    void oldSkinShowsThePlainBox();
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

void TestSkinSetup::settingsAsUsersWriteThem() {
    // Any letter case, spaces around "=", CR LF, an "Active" that is no number.
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("a,b.skn")});
    f.writeSettings(QStringLiteral("; my note\r\n[SKINS]\r\nskin = a,b.skn\r\nACTIVE=yes\r\n"
                                   "[Other]\r\nx=1\r\n"));
    {
        Setup s;
        s.setup.SetUp();
        QCOMPARE(s.engine.SkinFile(), f.skin(QStringLiteral("a,b.skn")));
        QVERIFY(!s.engine.Loading());
        QVERIFY(s.engine.Active()); // non-numeric keeps the default
        s.setup.mnuUseSkinsClick();
        s.setup.ShutDown();
        QVERIFY(s.boxes.boxes.isEmpty());
    }
    // Written back into the user's section, the rest of the file kept as it was.
    QCOMPARE(f.settingsText(), QByteArray("; my note\n[SKINS]\nSkin=a,b.skn\nActive=0\n"
                                          "[Other]\nx=1\n"));
    f.writeSettings(QStringLiteral("[skins]\nActive= 0 \n"));
    Setup t;
    t.setup.SetUp();
    QVERIFY(!t.engine.Active());
    QCOMPARE(t.engine.SkinFile(), f.skin(f.listed().first()));
}

void TestSkinSetup::garbageSettingsAreWrittenWithoutComplaint() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("pebble.skn")});
    QByteArray garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += char((i * 7919) % 256);
    QFile file(f.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    Setup s;
    s.setup.SetUp();
    s.setup.SkinMenuItemClick(s.item(QStringLiteral("pebble.skn")));
    s.setup.ShutDown();
    QVERIFY2(s.boxes.boxes.isEmpty(), qPrintable(s.boxes.texts().join('\n')));
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("pebble.skn"));
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("1"));
}

void TestSkinSetup::realWriteFailureIsReported() {
    SkinFolder f({QStringLiteral("nightfall.skn")});
    QVERIFY(QDir().mkpath(f.settingsPath())); // a folder where the file should be
    Setup s;
    s.setup.SetUp();
    QVERIFY(!s.engine.Loading()); // read as no settings at all
    try {
        s.setup.ShutDown();
        QFAIL("a settings file that cannot be written was reported as written");
    } catch (const orvik::Error& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot write the settings file %1.")
                                  .arg(QDir::toNativeSeparators(f.settingsPath())));
    }
    QVERIFY(QFileInfo(f.settingsPath()).isDir());
}

// Through the window, as a user meets it: a pick that cannot be written and the write at the
// end each give the error box, and the window still closes.
void TestSkinSetup::mainWindowShowsTheWriteFailure() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("ember.skn")});
    QVERIFY(QDir().mkpath(f.settingsPath()));
    const QString expected = QStringLiteral("Cannot write the settings file %1.")
                                 .arg(QDir::toNativeSeparators(f.settingsPath()));
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    {
        TfrmMain w;
        boxes.boxes.clear(); // the missing players
        QMenu* skins = w.form().mnuSkins;
        QCOMPARE(skins->actions().size(), 2);
        skins->actions().last()->trigger();
        QCOMPARE(boxes.texts(), QStringList({expected}));
        QCOMPARE(boxes.boxes.first().title, QStringLiteral("Orvik"));
        QVERIFY(w.close());
    }
    QCOMPARE(boxes.texts(), QStringList({expected, expected}));
    QVERIFY(QFileInfo(f.settingsPath()).isDir());
}

void TestSkinSetup::oversizedSettingsAreSetAside() {
    SkinFolder f({QStringLiteral("nightfall.skn"), QStringLiteral("pebble.skn")});
    QByteArray big = "[Skins]\nSkin=pebble.skn\n";
    while (big.size() < 20 * 1024 * 1024)
        big += "k" + QByteArray::number(big.size()) + "=a,b,c,d\n";
    QFile file(f.settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(big);
    file.close();

    Setup s;
    ResourceMeter meter;
    s.setup.SetUp();
    QVERIFY2(meter.elapsedMs() < 5000, qPrintable(QString::number(meter.elapsedMs())));
    QVERIFY2(meter.peakAboveStartMiB() < 40,
             qPrintable(QString::number(meter.peakAboveStartMiB())));
    // Set aside whole and unread: the default skin, a box that says where the file went.
    QCOMPARE(QFileInfo(f.settingsPath() + ".bak").size(), big.size());
    QVERIFY(!QFileInfo::exists(f.settingsPath()));
    QCOMPARE(s.engine.SkinFile(), f.skin(f.listed().first()));
    QCOMPARE(s.boxes.boxes.size(), 1);
    QCOMPARE(s.boxes.boxes[0].kind, orvik::MessagePresenter::Kind::Information);
    QVERIFY(s.boxes.boxes[0].text.contains(QDir::toNativeSeparators(f.settingsPath() + ".bak")));
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Active")), QStringLiteral("1"));
    QVERIFY(f.settingsText().size() < 100);
}

void TestSkinSetup::refusedSkinIsNotRemembered() {
    SkinFolder f({QStringLiteral("nightfall.skn")});
    QFile broken(f.skin(QStringLiteral("broken.skn")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(orvik::PackSkinPackage({{QStringLiteral("a.bmp"), QByteArray("BM")}}));
    broken.close();
    f.writeSettings(QStringLiteral("[Skins]\nSkin=nightfall.skn\n"));
    {
        Setup s;
        s.setup.SetUp();
        s.setup.SkinMenuItemClick(s.item(QStringLiteral("broken.skn")));
        QCOMPARE(s.boxes.boxes.size(), 1);
        QCOMPARE(s.boxes.boxes[0].kind, orvik::MessagePresenter::Kind::Error);
        QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("nightfall.skn"));
        s.setup.ShutDown(); // the skin in force is the one remembered
        QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QStringLiteral("nightfall.skn"));
    }
    // Named at start: refused once, and not named again for the next start.
    f.writeSettings(QStringLiteral("[Skins]\nSkin=broken.skn\n"));
    Setup s;
    s.setup.SetUp();
    QCOMPARE(s.boxes.boxes.size(), 1);
    QVERIFY(s.engine.Loading());
    s.setup.ShutDown();
    QCOMPARE(f.setting(QStringLiteral("Skins/Skin")), QString());
}

void TestSkinSetup::skinNamesOnlyAFileInTheSkinsFolder() {
    SkinFolder f({QStringLiteral("nightfall.skn")});
    const QString outside = f.folder.path() + QStringLiteral("outside.skn");
    QVERIFY(QFile::copy(f.skin(QStringLiteral("nightfall.skn")), outside));
    for (const QString& name :
         {QStringLiteral("../outside.skn"), outside, QStringLiteral("sub/../../outside.skn"),
          QStringLiteral(".."), QStringLiteral("..\\outside.skn")}) {
        f.writeSettings(QStringLiteral("[Skins]\nSkin=%1\n").arg(name));
        Setup s;
        s.setup.SetUp();
        QVERIFY2(s.engine.SkinFile().isEmpty(), qPrintable(name));
        QVERIFY(s.boxes.boxes.isEmpty());
    }
}

void TestSkinSetup::oldSkinShowsThePlainBox() {
    SkinFolder f({});
    QByteArray old(16, '\0');
    qToLittleEndian<qint32>(19999, old.data());
    QFile file(f.skin(QStringLiteral("old.skn")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(TLZH::PackBytes(old));
    file.close();
    f.writeSettings(QStringLiteral("[Skins]\nSkin=old.skn\n"));
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    QList<RecordingPresenter::Box> shown;
    for (const auto& b : boxes.boxes)
        if (b.text == TSkinReader::OldSkinMessage)
            shown << b;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, orvik::MessagePresenter::Kind::Plain);
    QCOMPARE(shown[0].title, QStringLiteral("Orvik"));
}

QTEST_MAIN(TestSkinSetup)
#include "test_skinsetup.moc"
