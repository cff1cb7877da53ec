// The program's own skins as the build produces them (<build>/skins/*.skn): each loads without
// a problem and has every element, its frame counts are the intended ones, its text colours
// read well on the pictures under them, its states look different and light falls from the
// top left. Also the stored skin, the preview and the generator's refusals.

#include "tests/skins/SkinPixels.h"

#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"
#include "skins/storedskin/StoredSkin.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace skintest;

namespace {

const QString BuildDir = QStringLiteral(ORVIK_BUILD_DIR);
const QString SourceDir = QStringLiteral(ORVIK_SOURCE_DIR);
const QStringList OwnSkins = {QStringLiteral("nightfall"), QStringLiteral("pebble"),
                              QStringLiteral("ember")};

struct Result {
    int code = -1;
    QString out, err;
};

Result run(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(BuildDir + QLatin1Char('/') + program, args);
    Result r;
    if (!process.waitForFinished(120'000) || process.exitStatus() != QProcess::NormalExit)
        return r;
    r.code = process.exitCode();
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QString packagePath(const QString& name) {
    return BuildDir + QStringLiteral("/skins/") + name + QStringLiteral(".skn");
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<TSkinData> loadSkin(const QString& path, QString* problem) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetErrorHook([problem](const QString& text) { *problem += text; });
    skin->SetSkinFile(path);
    return skin;
}

// Every element of a skin loaded through TSkinData, for the tests that walk them all.
#define LOAD_SKIN(skin)                                                                            \
    QFETCH(QString, name);                                                                         \
    QString loadProblem;                                                                           \
    const auto skin = loadSkin(packagePath(name), &loadProblem);                                   \
    QVERIFY2(!skin->Loading(), qPrintable(loadProblem))

struct TextCheck {
    QString what;
    TColor ink;
    QList<QColor> grounds;
};

// Text colour and the pixels it is drawn over, for every kind of text the skin colours.
QList<TextCheck> textChecks(const TSkinData& s) {
    QList<TextCheck> checks;
    const QColor face = rgbOf(s.ButtonFaceColor());
    checks.append({QStringLiteral("WindowText on the face"), s.WindowTextColor(), {face}});

    const TDataSkinButton& b = *s.Buttons();
    auto frameColours = [](const TDataSkinObject& e, std::initializer_list<int> frames,
                           bool stacked = false) {
        QList<QColor> all;
        for (int k : frames)
            all += coloursIn(e.Image, centreOf(e, k, stacked));
        return all;
    };
    checks.append({QStringLiteral("Buttons NormalColour2"), b.NormalColour2, frameColours(b, {1})});
    checks.append(
        {QStringLiteral("Buttons MouseOverColour2"), b.MouseOverColour2, frameColours(b, {4})});
    checks.append(
        {QStringLiteral("Buttons PressedColour2"), b.PressedColour2, frameColours(b, {2})});
    checks.append({QStringLiteral("ButtonText on buttons and face"), s.ButtonTextColor(),
                   frameColours(b, {1, 2, 4, 5}) << face});
    for (int i = 0; i < 3; ++i)
        checks.append({QStringLiteral("colour table entry %1 on buttons").arg(i),
                       s.ColourTable().value(i),
                       frameColours(b, {i == 0   ? 1
                                        : i == 1 ? 4
                                                 : 2})});

    // Caption text: on the title bar and on the plate behind it, active and inactive.
    const TDataSkinBorder& top = *s.Top();
    const TDataSkinTitle& title = *s.Title();
    for (int k : {1, 2}) {
        const QRect band = frameRect(top.Image, top.FrameCount, k, true);
        const QRect plate = frameRect(title.Image, 2, k, true);
        QList<QColor> grounds = coloursIn(
            top.Image, QRect(band.left() + top.LeftWidth, band.top() + 5,
                             band.width() - top.LeftWidth - top.RightWidth, band.height() - 10));
        grounds +=
            coloursIn(title.Image, QRect(plate.left() + title.TxtBackLeft, plate.top() + 5,
                                         plate.width() - title.TxtBackLeft - title.TxtBackRight,
                                         plate.height() - 10));
        checks.append(
            {k == 1 ? QStringLiteral("TitleTextActive") : QStringLiteral("TitleTextNoActive"),
             k == 1 ? s.TitleTextActiveColor() : s.TitleTextNoActiveColor(), grounds});
        checks.append(
            {k == 1 ? QStringLiteral("title ActiveText") : QStringLiteral("title InActiveText"),
             k == 1 ? title.ActiveTextColor : title.InactiveTextColor, grounds});
    }

    const TDataSkinObject& bar = *s.MenuBar();
    QList<QColor> barGrounds{rgbOf(s.MenubarColor())};
    for (int k : {1, 2}) {
        const QRect f = frameRect(bar.Image, bar.FrameCount, k, true);
        barGrounds += coloursIn(bar.Image, f.adjusted(0, 3, 0, -3));
    }
    checks.append({QStringLiteral("MenuBarText"), s.MenuBarTextColor(), barGrounds});
    const TDataSkinObject& menu = *s.MenuBackground();
    checks.append({QStringLiteral("MenuText"), s.MenuTextColor(),
                   coloursIn(menu.Image, centreOf(menu, 1)) << rgbOf(s.MenuColor())});
    checks.append({QStringLiteral("HilightText"), s.HilightTextColor(),
                   frameColours(*s.MenuItem(), {4}) << rgbOf(s.HilightColor())});

    const TDataSkinObject& tabs = *s.Tabs();
    checks.append({QStringLiteral("Tabs NormalColour2"), tabs.NormalColour2,
                   frameColours(tabs, {1, 2, 3, 5})});
    checks.append({QStringLiteral("Tabs MouseOverColour2"), tabs.MouseOverColour2,
                   frameColours(tabs, {1, 2, 3, 5})});
    const TDataSkinObject& header = *s.Headerbar();
    checks.append({QStringLiteral("Headerbar NormalColour2"), header.NormalColour2,
                   frameColours(header, {1})});
    checks.append({QStringLiteral("Headerbar MouseOverColour2"), header.MouseOverColour2,
                   frameColours(header, {2})});
    checks.append({QStringLiteral("Headerbar PressedColour2"), header.PressedColour2,
                   frameColours(header, {3})});
    const TDataSkinObject& status = *s.StatusBarEdges();
    checks.append({QStringLiteral("StatusBarEdges NormalColour2"), status.NormalColour2,
                   frameColours(status, {1, 2, 3}) << face});
    const TDataSkinObject& group = *s.GroupBox();
    checks.append({QStringLiteral("GroupBox NormalColour2"), group.NormalColour2,
                   frameColours(group, {1}) << face});
    return checks;
}

} // namespace

class TestSkins : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void checkFindsNoProblem_data() { skinRows(); }
    void checkFindsNoProblem();
    void framesAreTheIntendedOnes_data() { skinRows(); }
    void framesAreTheIntendedOnes();
    void windowCornersAreCutOut_data() { skinRows(); }
    void windowCornersAreCutOut();
    void captionButtonsFitTheTitleBar_data() { skinRows(); }
    void captionButtonsFitTheTitleBar();
    void textColoursReadOnTheirPictures_data() { skinRows(); }
    void textColoursReadOnTheirPictures();
    void hotAndPressedLookDifferent_data() { skinRows(); }
    void hotAndPressedLookDifferent();
    void lightFallsFromTheTopLeft_data() { skinRows(); }
    void lightFallsFromTheTopLeft();
    void picturesAre24BitAndAllNamed_data() { skinRows(); }
    void picturesAre24BitAndAllNamed();
    void storedSkinIsOneOfThePackages();
    void previewDrawsEverySkin_data() { skinRows(); }
    void previewDrawsEverySkin();
    void previewRefusesWhatIsNoSkin();
    void generatorRefusesBadParameters_data();
    void generatorRefusesBadParameters();
    void generatorLeavesNoStalePictures();
    void streamRefusesWhatIsNoPackage();

private:
    void skinRows();
    QTemporaryDir dir_;
};

void TestSkins::skinRows() {
    QTest::addColumn<QString>("name");
    for (const QString& name : OwnSkins)
        QTest::newRow(qPrintable(name)) << name;
}

void TestSkins::initTestCase() {
    QVERIFY(dir_.isValid());
    // The build lists every package in the program's skins folder; ours must be among them.
    const QStringList built =
        QDir(BuildDir + QStringLiteral("/skins")).entryList({QStringLiteral("*.skn")}, QDir::Files);
    for (const QString& name : OwnSkins)
        QVERIFY2(built.contains(name + QStringLiteral(".skn")), qPrintable(name));
}

void TestSkins::checkFindsNoProblem() {
    QFETCH(QString, name);
    const Result r =
        run(QStringLiteral("orvik-skin"), {QStringLiteral("check"), packagePath(name)});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY2(r.out.contains(QLatin1String("no problems")), qPrintable(r.out));
    // Every element the definition can give is there: nothing is reported absent.
    QVERIFY2(!r.out.contains(QLatin1String(" absent")), qPrintable(r.out));
    QVERIFY(r.out.contains(QLatin1String("Scrollbar")));
}

void TestSkins::framesAreTheIntendedOnes() {
    LOAD_SKIN(skin);
    // Caption buttons: close, maximise, restore, minimise and system menu with four frames
    // each (normal, pressed, hot, inactive), then the three child-window buttons.
    const auto& buttons = skin->SysButtons();
    QCOMPARE(buttons.size(), 5 + 3);
    QList<int> actions;
    for (int i = 0; i < 5; ++i) {
        const TDataSkinSysButton* b = buttons[i];
        actions << b->Action;
        QVERIFY2(b->HasImage(), qPrintable(b->Name));
        QCOMPARE(b->FrameCount, 4);
        QCOMPARE(b->Image.width(), 4 * b->FrameWidth());
    }
    QCOMPARE(actions, (QList<int>{0, 1, 1, 2, 12}));
    for (int i = 5; i < 8; ++i) {
        QVERIFY(buttons[i]->HasImage());
        QCOMPARE(buttons[i]->Image.width() % 4, 0);
    }

    // Check boxes and radio buttons: the counts follow from the 13-pixel pictures.
    const TDataSkinButton& b = *skin->Buttons();
    QCOMPARE(b.FrameCount, 5);
    QCOMPARE(b.CheckFrames, 12);
    QCOMPARE(b.RadioFrames, 8);
    QCOMPARE(b.CheckImage.size(), QSize(12 * 13, 13));
    QCOMPARE(b.RadioImage.size(), QSize(8 * 13, 13));

    // The window borders hold an active and an inactive frame.
    for (const TDataSkinBorder* border : {skin->Left(), skin->Right(), skin->Top(), skin->Bottom()})
        QCOMPARE(border->FrameCount, 2);
    QCOMPARE(skin->Scrollbar()->FrameCount, 23);
    QCOMPARE(skin->Scrollbar()->Image.width(), 23 * skin->Scrollbar()->Image.height());
    for (int p = 0; p < SkinPartCount; ++p) {
        const TDataSkinObject* e = skin->Element(SkinPart(p));
        QVERIFY2(e && e->HasImage(), PartInfo(SkinPart(p)).name);
    }
}

void TestSkins::windowCornersAreCutOut() {
    LOAD_SKIN(skin);
    const TDataSkinBorder *left = skin->Left(), *right = skin->Right(), *top = skin->Top(),
                          *bottom = skin->Bottom();
    auto magenta = [](const QImage& img, int x, int y) {
        return (img.pixel(x, y) & 0xFFFFFF) == 0xFF00FF;
    };
    for (int k : {1, 2}) {
        // The outer corner of each side border is see-through at the top, solid at the bottom.
        const QRect lf = left->FrameRect(k), rf = right->FrameRect(k);
        QVERIFY(magenta(left->Image, lf.left(), lf.top()));
        QVERIFY(!magenta(left->Image, lf.left(), lf.bottom()));
        QVERIFY(magenta(right->Image, rf.right(), rf.top()));
        QVERIFY(!magenta(right->Image, rf.right(), rf.bottom()));
        // Elsewhere the frame is solid: the title bar's middle and the whole bottom border.
        const QRect tf = frameRect(top->Image, 2, k, true);
        QCOMPARE(coloursIn(top->Image, tf.adjusted(top->LeftWidth, 0, -top->RightWidth, 0)).size() >
                     0,
                 true);
        for (int y = tf.top(); y <= tf.bottom(); ++y)
            QVERIFY(!magenta(top->Image, tf.center().x(), y));
        const QRect bf = frameRect(bottom->Image, 2, k, true);
        for (int x = bf.left(); x <= bf.right(); ++x)
            QVERIFY(!magenta(bottom->Image, x, bf.bottom()));
    }
    // Active and inactive windows look different.
    QVERIFY(meanDifference(top->Image, frameRect(top->Image, 2, 1, true),
                           frameRect(top->Image, 2, 2, true)) > 12);
    QVERIFY(meanDifference(left->Image, left->FrameRect(1), left->FrameRect(2)) > 12);
}

void TestSkins::captionButtonsFitTheTitleBar() {
    LOAD_SKIN(skin);
    const int titleHeight = skin->Top()->Image.height() / skin->Top()->FrameCount;
    const int rightBorder = skin->Right()->FrameWidth();
    const int width = 400;        // a window this wide
    QList<QPair<int, int>> taken; // x ranges of the buttons shown in a normal window
    int rightmostText = width - skin->Title()->RightWidth;
    for (int i = 0; i < 5; ++i) {
        const TDataSkinSysButton* b = skin->SysButtons()[i];
        QVERIFY2(b->Ycoord >= 0 && b->Ycoord + b->Image.height() <= titleHeight,
                 qPrintable(b->Name));
        const int x = b->Align == 1 ? width - b->Xcoord : b->Xcoord;
        QVERIFY2(x >= skin->Left()->FrameWidth() && x + b->FrameWidth() <= width - rightBorder,
                 qPrintable(b->Name));
        if (b->Visibility == 1)
            continue; // the restore button replaces the maximise button in a maximised window
        for (const auto& [from, to] : taken)
            QVERIFY2(x + b->FrameWidth() <= from || x >= to, qPrintable(b->Name));
        taken.append({x, x + b->FrameWidth()});
        // The caption text keeps clear of the buttons on either side.
        if (b->Align == 1)
            QVERIFY2(rightmostText <= x, qPrintable(b->Name));
        else
            QVERIFY2(x + b->FrameWidth() <= skin->Title()->LeftWidth, qPrintable(b->Name));
    }
}

void TestSkins::textColoursReadOnTheirPictures() {
    LOAD_SKIN(skin);
    QStringList failures;
    for (const TextCheck& check : textChecks(*skin)) {
        if (orvik::IsSystemColour(check.ink)) {
            failures << check.what + QStringLiteral(" is left to the system");
            continue;
        }
        if (check.grounds.isEmpty()) {
            failures << check.what + QStringLiteral(": no picture under it");
            continue;
        }
        const double ratio = worstContrast(rgbOf(check.ink), check.grounds);
        if (ratio < 4.5)
            failures << QStringLiteral("%1: %2:1").arg(check.what).arg(ratio, 0, 'f', 2);
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

void TestSkins::hotAndPressedLookDifferent() {
    LOAD_SKIN(skin);
    struct States {
        const TDataSkinObject* e;
        QString what;
        int normal;
        QList<int> others;
    };
    QList<States> list{{skin->Buttons(), QStringLiteral("push button"), 1, {2, 4}},
                       {skin->HorzScrollThumb(), QStringLiteral("scroll thumb"), 1, {2, 3}},
                       {skin->Scrollbar(), QStringLiteral("scroll arrow"), 1, {2, 4}},
                       {skin->TrackbarThumbHorz(), QStringLiteral("track bar thumb"), 2, {3, 4}},
                       {skin->Tabs(), QStringLiteral("tab"), 1, {2, 3}},
                       {skin->Headerbar(), QStringLiteral("header"), 1, {2, 3}},
                       {skin->ToolBars(), QStringLiteral("tool button"), 1, {2, 4}},
                       {skin->MenuItem(), QStringLiteral("menu item"), 1, {4}},
                       {skin->UpDownVert(), QStringLiteral("up-down"), 1, {2, 4}}};
    for (int i = 0; i < 4; ++i)
        list.append({skin->SysButtons()[i], skin->SysButtons()[i]->Name, 1, {2, 3}});
    const TDataSkinButton& b = *skin->Buttons();
    QStringList failures;
    auto compare = [&](const QString& what, const QImage& img, const QRect& a, const QRect& c) {
        const double d = meanDifference(img, a, c);
        if (d < 12)
            failures << QStringLiteral("%1: %2").arg(what).arg(d, 0, 'f', 1);
    };
    for (const States& s : list)
        for (int k : s.others)
            compare(QStringLiteral("%1 frame %2").arg(s.what).arg(k), s.e->Image,
                    s.e->FrameRect(s.normal), s.e->FrameRect(k));
    // Check boxes: unchecked normal against hot and pressed; radio buttons likewise.
    for (int k : {2, 3}) {
        compare(QStringLiteral("check box frame %1").arg(k), b.CheckImage,
                frameRect(b.CheckImage, 12, 1), frameRect(b.CheckImage, 12, k));
        compare(QStringLiteral("radio button frame %1").arg(k), b.RadioImage,
                frameRect(b.RadioImage, 8, 1), frameRect(b.RadioImage, 8, k));
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

void TestSkins::lightFallsFromTheTopLeft() {
    LOAD_SKIN(skin);
    // Raised things are lighter along the top and left than along the bottom and right;
    // pressed (sunken) ones the other way round.
    struct Lit {
        const TDataSkinObject* e;
        QString what;
        int frame;
        bool sunken;
        bool sides; // also compare the left and right edges
    };
    const QList<Lit> list{
        {skin->Buttons(), QStringLiteral("push button"), 1, false, true},
        {skin->Buttons(), QStringLiteral("pressed push button"), 2, true, true},
        {skin->HorzScrollThumb(), QStringLiteral("scroll thumb"), 1, false, false},
        {skin->Headerbar(), QStringLiteral("header"), 1, false, true},
        {skin->Tabs(), QStringLiteral("tab"), 1, false, false},
        {skin->TrackbarThumbHorz(), QStringLiteral("track bar thumb"), 2, false, false}};
    QStringList failures;
    for (const Lit& l : list) {
        // Bands across the body, clear of the outline: a fifth to two fifths down against
        // three to four fifths; the two outermost columns on each side.
        const QRect f = l.e->FrameRect(l.frame);
        const int h = f.height(), w = f.width();
        const double top = meanLuminance(l.e->Image, QRect(f.left(), f.top() + h / 5, w, h / 5));
        const double bottom =
            meanLuminance(l.e->Image, QRect(f.left(), f.top() + 3 * h / 5, w, h / 5));
        if ((top > bottom) == l.sunken)
            failures << QStringLiteral("%1: top %2, bottom %3").arg(l.what).arg(top).arg(bottom);
        if (!l.sides)
            continue;
        const QRect rows(f.left(), f.top() + h / 4, 2, h / 2);
        const double left = meanLuminance(l.e->Image, rows);
        const double right = meanLuminance(l.e->Image, rows.translated(w - 2, 0));
        if ((left > right) == l.sunken)
            failures << QStringLiteral("%1: left %2, right %3").arg(l.what).arg(left).arg(right);
    }
    // The window frame: the left border's lit edge against the right border's shaded one.
    const TDataSkinBorder *left = skin->Left(), *right = skin->Right();
    const QRect lf = left->FrameRect(1), rf = right->FrameRect(1);
    const int rows = lf.height() - left->TopHeight - left->BottomHeight;
    const double leftEdge = meanLuminance(left->Image, QRect(1, left->TopHeight, 1, rows));
    const double rightEdge =
        meanLuminance(right->Image, QRect(rf.right() - 1, right->TopHeight, 1, rows));
    if (leftEdge <= rightEdge)
        failures
            << QStringLiteral("window borders: left %1, right %2").arg(leftEdge).arg(rightEdge);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QStringLiteral("; "))));
}

void TestSkins::picturesAre24BitAndAllNamed() {
    QFETCH(QString, name);
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(readFile(packagePath(name))));
    QByteArray definition;
    QString definitionName;
    QVERIFY(reader.FindEntry(QStringLiteral(".ini"), definition, definitionName));
    QCOMPARE(definitionName, name + QStringLiteral(".ini"));
    const QString text = QString::fromLatin1(definition).toLower();
    for (const QString& entry : reader.EntryNames()) {
        if (entry == definitionName)
            continue;
        const QByteArray bmp = reader.GetEntry(entry);
        QVERIFY2(bmp.size() > 54 && bmp.startsWith("BM"), qPrintable(entry));
        QCOMPARE(qFromLittleEndian<quint16>(bmp.constData() + 28), quint16(24)); // bits per pixel
        QCOMPARE(qFromLittleEndian<quint32>(bmp.constData() + 30), quint32(0));  // uncompressed
        // A picture no key names is a leftover of an earlier build.
        QVERIFY2(text.contains(QLatin1Char('=') + entry + QLatin1String("\r\n")),
                 qPrintable(entry));
    }
}

void TestSkins::storedSkinIsOneOfThePackages() {
    const QByteArray stream = storedSkinStream();
    QVERIFY(stream.size() > 4);
    QCOMPARE(qFromLittleEndian<qint32>(stream.constData()), qint32(stream.size() - 4));
    const QByteArray container = stream.mid(4);
    bool found = false;
    for (const QString& name : OwnSkins)
        found = found || readFile(packagePath(name)) == container;
    QVERIFY2(found, "the stored skin is none of the built packages");

    TSkinData skin;
    QString problem;
    skin.SetErrorHook([&problem](const QString& text) { problem = text; });
    QBuffer buffer;
    buffer.setData(stream);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY2(skin.ReadSkinStream(buffer), qPrintable(problem));
    QVERIFY(!skin.Loading());
    QVERIFY(OwnSkins.contains(skin.SkinName().toLower()));
}

void TestSkins::previewDrawsEverySkin() {
    QFETCH(QString, name);
    const QString png = dir_.filePath(name + QStringLiteral(".png"));
    const Result r =
        run(QStringLiteral("orvik-skin"), {QStringLiteral("preview"), packagePath(name), png});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    const QImage sheet(png);
    QVERIFY(!sheet.isNull());
    QCOMPARE(sheet.width(), 1200);
    QVERIFY(sheet.height() > 1000);
}

void TestSkins::previewRefusesWhatIsNoSkin() {
    const QString notSkin = SourceDir + QStringLiteral("/skins/pebble/skin.json");
    const QString png = dir_.filePath(QStringLiteral("refused.png"));
    Result r = run(QStringLiteral("orvik-skin"), {QStringLiteral("preview"), notSkin, png});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QLatin1String("preview")), qPrintable(r.err));
    QVERIFY(!QFile::exists(png));
    r = run(QStringLiteral("orvik-skin"), {QStringLiteral("preview"), packagePath(OwnSkins[0])});
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QLatin1String("usage")));
}

void TestSkins::generatorRefusesBadParameters_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("reason");
    const QByteArray good = R"("name":"Test","face":"#303030","accent":"#2080f0","text":"#f0f0f0")";
    QTest::newRow("not JSON") << QByteArray("face = grey") << QString();
    QTest::newRow("array") << QByteArray("[1, 2]") << QStringLiteral("object");
    QTest::newRow("unknown key") << "{" + good + R"(,"colour":"#000000"})"
                                 << QStringLiteral("colour");
    QTest::newRow("missing face") << QByteArray(
                                         R"({"name":"T","accent":"#2080f0","text":"#fff000"})")
                                  << QStringLiteral("face");
    QTest::newRow("short colour")
        << QByteArray(R"({"name":"T","face":"#333","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("face");
    QTest::newRow("magenta")
        << QByteArray(R"({"name":"T","face":"#ff00ff","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("magenta");
    QTest::newRow("corner too big") << "{" + good + R"(,"corner":40})" << QStringLiteral("corner");
    QTest::newRow("bevel fraction") << "{" + good + R"(,"bevel":1.5})" << QStringLiteral("bevel");
    QTest::newRow("gloss as text") << "{" + good + R"(,"gloss":"high"})" << QStringLiteral("gloss");
    // Well formed, but no caption colour reads on a mid-grey glossy title bar.
    QTest::newRow("unreadable title")
        << "{" + good + R"(,"title":"#808080","gloss":1})" << QStringLiteral("readable");
    QTest::newRow("name with path")
        << QByteArray(R"({"name":"../x","face":"#303030","accent":"#2080f0","text":"#f0f0f0"})")
        << QStringLiteral("name");
}

void TestSkins::generatorRefusesBadParameters() {
    QFETCH(QByteArray, json);
    QFETCH(QString, reason);
    const QString params = dir_.filePath(QStringLiteral("bad.json"));
    QFile file(params);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(json);
    file.close();
    // A folder with an earlier skin in it stays as it was.
    const QString out = dir_.filePath(QStringLiteral("refused"));
    QVERIFY(QDir().mkpath(out));
    QFile earlier(out + QStringLiteral("/earlier.bmp"));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.close();

    const Result r = run(QStringLiteral("orvik-skingen"), {params, out});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(params), qPrintable(r.err));
    QVERIFY2(r.err.contains(reason), qPrintable(r.err));
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("earlier.bmp")});
}

void TestSkins::generatorLeavesNoStalePictures() {
    const QString out = dir_.filePath(QStringLiteral("fresh"));
    QVERIFY(QDir().mkpath(out));
    for (const char* stale : {"/old.bmp", "/old.ini"}) {
        QFile f(out + QLatin1String(stale));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFile keep(out + QStringLiteral("/notes.txt"));
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();
    const Result r = run(QStringLiteral("orvik-skingen"),
                         {SourceDir + QStringLiteral("/skins/ember/skin.json"), out});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QStringList files = QDir(out).entryList(QDir::Files);
    QVERIFY(!files.contains(QStringLiteral("old.bmp")));
    QVERIFY(!files.contains(QStringLiteral("old.ini")));
    QVERIFY(files.contains(QStringLiteral("notes.txt")));
    QVERIFY(files.contains(QStringLiteral("ember.ini")));
    // The same pictures as the packaged skin, byte for byte: the drawing does not wander.
    TSkinReader reader;
    QVERIFY(reader.LoadPackage(readFile(packagePath(QStringLiteral("ember")))));
    QCOMPARE(files.size() - 1, reader.EntryCount());
    for (const QString& entry : reader.EntryNames())
        QVERIFY2(readFile(out + QLatin1Char('/') + entry) == reader.GetEntry(entry),
                 qPrintable(entry));
}

void TestSkins::streamRefusesWhatIsNoPackage() {
    const QString garbage = dir_.filePath(QStringLiteral("garbage.skn"));
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2000, 'x'));
    file.close();
    const QString out = dir_.filePath(QStringLiteral("stream.bin"));
    const Result r =
        run(QStringLiteral("orvik-skingen"), {QStringLiteral("--stream"), garbage, out});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(garbage), qPrintable(r.err));
    QVERIFY(!QFile::exists(out));
}

QTEST_MAIN(TestSkins)
#include "test_skins.moc"
