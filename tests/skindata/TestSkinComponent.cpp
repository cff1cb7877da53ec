// The skin data component: defaults, loading and reloading, what it asks of the skin manager
// and when, and failed loads that must leave the skin in force untouched.

#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"
#include "tests/skindata/SkinTestKit.h"
#include "tests/skindata/TestClasses.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace skintest;
using orvik::RGBColour;

namespace {

PackageRecipe firstSkin() {
    PackageRecipe recipe;
    recipe.definition = QStringList{
        "[TitlebarSkin]", "SkinName=First",   "[Personality]",    "Left=left.bmp", "LeftFrame=2",
        "[Colours]",      "ButtonFace=1 2 3", "[Headerbar]",      "Image=h.bmp",   "[Buttons]",
        "Bitmap=h.bmp",   "[ButtonClose]",    "ButtonImage=h.bmp"};
    recipe.pictures = {{"left.bmp", solid(8, 40, Qt::red)}, {"h.bmp", solid(50, 10, Qt::green)}};
    return recipe;
}

PackageRecipe secondSkin() {
    PackageRecipe recipe;
    recipe.definition = QStringList{"[TitlebarSkin]", "SkinName=Second", "[Personality]",
                                    "Left=left.bmp",  "[Colours]",       "ButtonFace=4 5 6"};
    recipe.pictures = {{"left.bmp", solid(6, 30, Qt::blue)}};
    return recipe;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray word(qint32 value) {
    QByteArray w(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(value, w.data());
    return w;
}

// Everything a load can change, for comparing before and after.
struct Snapshot {
    QString skinName;
    TColor face;
    QSize left;
    int leftFrames;
    bool headerbar;
    int sysButtons;
    QByteArray stream;

    explicit Snapshot(const TSkinData& s)
        : skinName(s.SkinName()), face(s.ButtonFaceColor()), left(s.Left()->Image.size()),
          leftFrames(s.Left()->FrameCount), headerbar(s.Headerbar() != nullptr),
          sysButtons(int(s.SysButtons().size())), stream(s.SkinStreamData()) {}
    bool operator==(const Snapshot&) const = default;
};

} // namespace

void TestSkinComponent::defaults() {
    TSkinData skin;
    QVERIFY(skin.Loading());
    // Every kind of control but menu items and report previews; the stored form of the set.
    QCOMPARE(skin.SkinControls().toBits(), 0x1FFFFBu);
    QCOMPARE(skin.Options(), (TSkinOptions{xoPreview, xoToolbarBK}));
    skin.SetVersion("2.0");
    QCOMPARE(skin.Version(), QString("1.0"));
    QVERIFY(!skin.Headerbar());
    QVERIFY(skin.SysButtons().isEmpty());

    // The mapping of other libraries' classes: 116 lines, no class with two keywords.
    const QStringList lines = skin.Skin3rd();
    QCOMPARE(lines.size(), 116);
    QHash<QString, QString> keywordOf;
    int repeated = 0;
    for (const QString& line : lines) {
        const QStringList parts = line.split('=');
        QCOMPARE(parts.size(), 2);
        QVERIFY(parts[0].startsWith('T'));
        if (keywordOf.contains(parts[0])) {
            QCOMPARE(keywordOf[parts[0]], parts[1]);
            ++repeated;
        }
        keywordOf[parts[0]] = parts[1];
    }
    QCOMPARE(repeated, 3);
    QCOMPARE(keywordOf.value("TRzMenuButton"), QString("menubtn"));
    QCOMPARE(keywordOf.value("TControlBar"), QString("Panel"));
    skin.SetSkin3rd({"TFoo=edit"});
    QCOMPARE(skin.Skin3rd(), QStringList{"TFoo=edit"});
}

void TestSkinComponent::secondSkinDropsElements() {
    TSkinData skin;
    QVERIFY(loadInto(skin, firstSkin()));
    QVERIFY(!skin.Loading());
    QVERIFY(skin.Headerbar());
    const TDataSkinBorder* left = skin.Left();
    const TDataSkinButton* buttons = skin.Buttons();
    QCOMPARE(skin.SysButtons().size(), 4);
    QCOMPARE(skin.Buttons()->Image.size(), QSize(50, 10));

    QVERIFY(loadInto(skin, secondSkin()));
    QVERIFY(!skin.Headerbar());
    QCOMPARE(skin.SkinName(), QString("Second"));
    QCOMPARE(skin.ButtonFaceColor(), RGBColour(4, 5, 6));
    // The lasting elements are refilled in place, with nothing left from the first skin.
    QCOMPARE(skin.Left(), left);
    QCOMPARE(skin.Buttons(), buttons);
    QCOMPARE(left->Image.size(), QSize(6, 30));
    QCOMPARE(left->FrameCount, 1);
    QVERIFY(buttons->Image.isNull());
    QCOMPARE(skin.SysButtons().size(), 3);
}

void TestSkinComponent::packageWithoutDefinition() {
    // No definition is no skin: refused with a word, and the skin in force stays.
    TSkinData skin;
    QVERIFY(loadInto(skin, firstSkin()));
    QStringList errors;
    skin.SetErrorHook([&](const QString& e) { errors << e; });
    const Snapshot before(skin);
    QList<TSkinPackageEntry> entries{{"left.bmp", bmpBytes(solid(4, 4, Qt::red))}};
    QVERIFY(!loadInto(skin, orvik::PackSkinPackage(entries)));
    QVERIFY(skin.Loading());
    QCOMPARE(Snapshot(skin), before);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("no skin definition"), qPrintable(errors[0]));
}

void TestSkinComponent::setActiveCommands() {
    RecordingSkinManager manager;
    TSkinData skin;
    skin.SetSkinManager(&manager);
    skin.Loaded();
    manager.calls.clear();

    // Nothing usable yet: switching on only stores the wish.
    skin.SetActive(true);
    QVERIFY(skin.Active());
    QVERIFY(manager.calls.isEmpty());
    skin.SetActive(false);
    QCOMPARE(manager.calls, (QStringList{"SetCurrent", "PostCommand 2 250"}));

    QVERIFY(loadInto(skin, firstSkin()));
    manager.calls.clear();
    skin.SetActive(true);
    skin.SetActive(true);
    QCOMPARE(manager.calls, (QStringList{"SetCurrent", "PostCommand 1 250", "MarkStarted"}));

    // Only this form: no start mark, and loading blocks only switching on.
    TSkinData only;
    only.SetSkinFormtype(sfOnlyThisForm);
    only.SetSkinManager(&manager);
    manager.calls.clear();
    only.SetActive(true);
    QCOMPARE(manager.calls, QStringList{"SetCurrent"});
    QVERIFY(loadInto(only, firstSkin()));
    only.SetActive(false);
    only.SetActive(true);
    QCOMPARE(manager.calls, (QStringList{"SetCurrent", "SetCurrent", "PostCommand 2 250",
                                         "SetCurrent", "PostCommand 1 250"}));

    TSkinData dialog;
    dialog.SetSkinFormtype(sfDialog);
    dialog.SetSkinManager(&manager);
    manager.calls.clear();
    dialog.SetActive(true);
    QVERIFY(manager.calls.isEmpty());

    // While the form is read, values are only stored.
    TSkinData reading;
    reading.SetSkinManager(&manager);
    QVERIFY(loadInto(reading, firstSkin()));
    reading.BeginRead();
    reading.SetActive(true);
    QVERIFY(manager.calls.isEmpty());
}

void TestSkinComponent::loadedStartsSkinning() {
    RecordingSkinManager manager;
    {
        // Stored active without a usable package: switched off at load.
        TSkinData skin;
        skin.SetSkinManager(&manager);
        skin.BeginRead();
        skin.SetActive(true);
        skin.Loaded();
        QVERIFY(!skin.Active());
        QCOMPARE(manager.calls, (QStringList{"AddSkinData", "InstallHook"}));
        QVERIFY(skin.SkinControls().contains(xcMainMenu));
        QVERIFY(!skin.SkinControls().contains(xcMenuItem));
        QVERIFY(skin.SkinControls().contains(xcSystemMenu));
    }
    manager.calls.clear();
    {
        TSkinData skin;
        skin.SetSkinManager(&manager);
        skin.BeginRead();
        QVERIFY(loadInto(skin, firstSkin()));
        skin.SetActive(true);
        TSkinControls controls{xcPopupMenu, xcMenuItem, xcSystemMenu};
        skin.SetSkinControls(controls);
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        icon.setPixel(0, 0, 0); // see-through
        icon.setPixel(1, 0, 0);
        icon.setPixel(0, 1, 0);
        icon.setPixel(1, 1, 0);
        QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
        skin.Loaded();
        QGuiApplication::setWindowIcon(QIcon());
        // The small icon on magenta.
        QCOMPARE(skin.AppIcon().size(), QSize(16, 16));
        QCOMPARE(skin.AppIcon().pixel(0, 0) & 0xFFFFFFu, 0xFF00FFu);
        QCOMPARE(skin.AppIcon().pixel(8, 8) & 0xFFFFFFu, 0xFF0000u);
        QVERIFY(skin.Active());
        QCOMPARE(manager.calls,
                 (QStringList{"AddSkinData", "InstallHook", "SetCurrent", "PostCommand 1 250"}));
        // Without the main menu the system menu goes; the menu items stay.
        QVERIFY(skin.SkinControls().contains(xcMenuItem));
        QVERIFY(!skin.SkinControls().contains(xcSystemMenu));
    }
    QCOMPARE(manager.calls.last(), QString("RemoveSkinData"));
}

void TestSkinComponent::loadedForOtherFormTypes() {
    RecordingSkinManager manager;
    QObject owner;
    owner.setObjectName("dlgAbout");
    TSkinData skin(&owner);
    skin.SetSkinFormtype(sfOnlyThisForm);
    skin.SetSkinManager(&manager);
    const TSkinControls before = skin.SkinControls();
    skin.Loaded();
    QCOMPARE(manager.calls,
             (QStringList{"AddSkinData", "EnableSkinning", "MarkStarted", "SkinForm dlgAbout"}));
    QCOMPARE(skin.SkinControls(), before);

    // The program-wide manager is found through the provider when none is set.
    RecordingSkinManager programWide;
    TSkinData::SetManagerProvider([&] { return &programWide; });
    {
        TSkinData viaProvider;
        viaProvider.Loaded();
        QCOMPARE(programWide.skinDatas.size(), 1);
    }
    QVERIFY(programWide.skinDatas.isEmpty());
    TSkinData::SetManagerProvider(nullptr);
}

void TestSkinComponent::skinFileRefreshesWindows() {
    QTemporaryDir dir;
    const QString first = writeFile(dir, "first.skn", firstSkin().container());
    const QString second = writeFile(dir, "second.skn", secondSkin().container());
    RecordingSkinManager manager;
    TSkinData skin;
    skin.SetSkinManager(&manager);
    QStringList errors;
    skin.SetErrorHook([&](const QString& e) { errors << e; });

    // Not yet registered: the load registers the component first.
    skin.SetSkinFile(first);
    QVERIFY(!skin.Loading());
    QCOMPARE(skin.SkinName(), QString("First"));
    QCOMPARE(skin.SkinFile(), first);
    QCOMPARE(manager.calls,
             (QStringList{"AddSkinData", "InstallHook", "SetCurrent", "RefreshForms"}));

    skin.SetActive(true);
    manager.calls.clear();
    skin.SetSkinFile(second);
    QCOMPARE(skin.SkinName(), QString("Second"));
    QCOMPARE(manager.calls, (QStringList{"SetCurrent", "RefreshForms", "PostCommand 3 250"}));
    QVERIFY(errors.isEmpty());

    // Other form types only load.
    TSkinData only;
    only.SetSkinFormtype(sfOnlyThisForm);
    only.SetSkinManager(&manager);
    manager.calls.clear();
    only.SetSkinFile(first);
    QVERIFY(!only.Loading());
    QVERIFY(manager.calls.isEmpty());
}

void TestSkinComponent::missingFileKeepsSkin() {
    RecordingSkinManager manager;
    TSkinData skin;
    skin.SetSkinManager(&manager);
    QVERIFY(loadInto(skin, firstSkin()));
    QStringList errors;
    skin.SetErrorHook([&](const QString& e) { errors << e; });
    const Snapshot before(skin);

    skin.SetSkinFile("/nonexistent/folder/gone.skn");
    QCOMPARE(Snapshot(skin), before);
    QCOMPARE(skin.SkinFile(), QString("/nonexistent/folder/gone.skn"));
    QVERIFY(skin.Loading());
    QVERIFY(errors.isEmpty()); // ignored without a word
    QVERIFY(manager.calls.isEmpty());
    // Until a skin loads, switching on does nothing.
    manager.calls.clear();
    skin.SetActive(true);
    QVERIFY(manager.commands().isEmpty());

    QTemporaryDir dir;
    skin.SetSkinFile(dir.path()); // a folder is no skin file either
    QCOMPARE(errors.size(), 1);
    QCOMPARE(Snapshot(skin), before);
}

void TestSkinComponent::hostilePackagesKeepSkin_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    auto packed = [](const QByteArray& plain) { return TLZH::PackBytes(plain); };
    const QByteArray names = "a.ini\r\nb.bmp\r\n";
    const QByteArray header = word(20000) + word(names.size()) + word(0) + word(0);

    QTest::newRow("old version") << packed(word(19999) + word(0) + word(0) + word(0))
                                 << TSkinReader::OldSkinMessage;
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("size word only") << word(100) << QString();
    QTest::newRow("negative unpacked size") << word(-5) + QByteArray(20, 'x') << QString();
    QTest::newRow("huge unpacked size") << word(0x7FFFFFFF) + QByteArray(20, 'x') << QString();
    QTest::newRow("garbage") << QByteArray(3000, '\xA5') << QString();
    QTest::newRow("names past the end")
        << packed(word(20000) + word(5000) + word(0) + word(0) + names) << QString("damaged");
    QTest::newRow("entry past the end")
        << packed(header + names + word(4) + word(1000000) + "[S]\r" + "BM") << QString("damaged");
    QTest::newRow("negative entry size")
        << packed(header + names + word(-4) + word(2) + "BM") << QString("damaged");
    // Cut files: the compressed data ends long before the size it declares.
    PackageRecipe noisy = firstSkin();
    QImage noise(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 251, (x * y) % 253, (x ^ y) * 3));
    noisy.pictures.append({"noise.bmp", noise});
    const QByteArray whole = noisy.container();
    QVERIFY(whole.size() > 4000);
    QTest::newRow("cut in half") << whole.left(whole.size() / 2) << QString("damaged");
    QTest::newRow("cut at 1,000 bytes") << whole.left(1000) << QString("damaged");
    QTest::newRow("no definition")
        << orvik::PackSkinPackage({{"left.bmp", bmpBytes(solid(4, 4, Qt::red))}})
        << QString("no skin definition");
}

void TestSkinComponent::hostilePackagesKeepSkin() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "hostile.skn", file);

    RecordingSkinManager manager;
    TSkinData skin;
    skin.SetSkinManager(&manager);
    QVERIFY(loadInto(skin, firstSkin()));
    skin.Loaded();
    QStringList errors;
    skin.SetErrorHook([&](const QString& e) { errors << e; });
    const Snapshot before(skin);
    manager.calls.clear();

    // Every one is refused: nothing of the skin in force has changed, and the user is told why.
    skin.SetSkinFile(path);
    QVERIFY(skin.Loading());
    QCOMPARE(Snapshot(skin), before);
    QCOMPARE(errors.size(), 1);
    if (message == TSkinReader::OldSkinMessage)
        QCOMPARE(errors[0], message);
    else
        QVERIFY2(errors[0].contains(message), qPrintable(errors[0]));
    // The skinned windows re-read the skin in force, which cannot be switched on meanwhile.
    QCOMPARE(manager.calls, (QStringList{"SetCurrent", "RefreshForms"}));
    manager.calls.clear();
    skin.SetActive(true);
    QVERIFY(manager.commands().isEmpty());
}

void TestSkinComponent::storedSkinStream() {
    TSkinData source;
    QVERIFY(loadInto(source, firstSkin()));
    const QByteArray stored = source.SkinStream();
    QCOMPARE(qFromLittleEndian<qint32>(stored.constData()), qint32(stored.size() - 4));

    TSkinData copy;
    QByteArray data = stored;
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    QVERIFY(copy.ReadSkinStream(in));
    QCOMPARE(copy.SkinName(), QString("First"));
    QCOMPARE(copy.SkinStreamData(), source.SkinStreamData());

    // A stored length of 0 leaves the component as it is.
    QByteArray none = word(0);
    QBuffer noneIn(&none);
    noneIn.open(QIODevice::ReadOnly);
    QVERIFY(copy.ReadSkinStream(noneIn));
    QCOMPARE(copy.SkinName(), QString("First"));
    TSkinData empty;
    QCOMPARE(empty.SkinStream(), word(0));

    // A length beyond the data is refused and changes nothing.
    QStringList errors;
    copy.SetErrorHook([&](const QString& e) { errors << e; });
    QByteArray cut = word(5000) + QByteArray(10, 'x');
    QBuffer cutIn(&cut);
    cutIn.open(QIODevice::ReadOnly);
    QVERIFY(!copy.ReadSkinStream(cutIn));
    QCOMPARE(errors.size(), 1);
    QCOMPARE(copy.SkinStreamData(), source.SkinStreamData());
    QVERIFY(!copy.Loading());

    // A stored package of the wrong version: same rule as a file.
    QByteArray old = TSkinReader::WriteSkinStream(TLZH::PackBytes(word(1) + QByteArray(12, 0)));
    QBuffer oldIn(&old);
    oldIn.open(QIODevice::ReadOnly);
    QVERIFY(!copy.ReadSkinStream(oldIn));
    QCOMPARE(errors.last(), TSkinReader::OldSkinMessage);
    QCOMPARE(copy.SkinStreamData(), source.SkinStreamData());
    QCOMPARE(copy.SkinName(), QString("First"));
}

void TestSkinComponent::formSkinRules() {
    TSkinData skin;
    auto ask = [&](const QString& cls) {
        bool doSkin = true;
        skin.DoFormSkin(cls, doSkin);
        return doSkin;
    };
    QVERIFY(!ask("SysMonthCal32"));
    QVERIFY(ask("TfrPreview"));
    QVERIFY(ask("TForm1"));
    TSkinControls controls = skin.SkinControls();
    controls.insert(xcFastReport);
    skin.SetSkinControls(controls);
    QVERIFY(!ask("TfrPreview"));
    QVERIFY(ask("TFRPreview")); // the prefix is case-sensitive

    QStringList asked;
    skin.OnFormSkin = [&](TSkinData* sender, const QString& cls, bool&) {
        QCOMPARE(sender, &skin);
        asked << cls;
    };
    QVERIFY(ask("SysMonthCal32"));
    QCOMPARE(asked, QStringList{"SysMonthCal32"});

    QSignalSpy changed(&skin, &TSkinData::SkinChanged);
    skin.DoSkinChanged();
    QCOMPARE(changed.size(), 1);
}

void TestSkinComponent::destroyDeregisters() {
    RecordingSkinManager manager;
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinManager(&manager);
    skin->Loaded();
    QCOMPARE(manager.skinDatas.size(), 1);
    skin.reset();
    QVERIFY(manager.skinDatas.isEmpty());

    // A manager that goes first is forgotten and never called again.
    auto gone = std::make_unique<RecordingSkinManager>();
    TSkinData survivor;
    survivor.SetSkinManager(gone.get());
    survivor.Loaded();
    survivor.ForgetSkinManager(gone.get());
    gone.reset();
    QVERIFY(!survivor.SkinManager());
}
