// The program's own skins as the build produces them (<build>/skins/*.skn): each loads without
// a problem and has every element, its frame counts are the intended ones, its text colours
// read well on the pictures under them, its states look different and light falls from the
// top left; its window frame is cut out where its corners are round and its caption buttons
// stay clear of each other and of the caption. Also the stored skin and the preview.

#include "tests/skins/FrameChecks.h"
#include "tests/skins/SkinPixels.h"
#include "tests/skins/SkinTools.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"
#include "skins/storedskin/StoredSkin.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace skintest;

namespace {

const QStringList OwnSkins = {QStringLiteral("nightfall"), QStringLiteral("pebble"),
                              QStringLiteral("ember"), QStringLiteral("lagoon")};

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
    auto frameColours = [](const TDataSkinObject& e, std::initializer_list<int> frames) {
        QList<QColor> all;
        for (int k : frames)
            all += coloursIn(e.Image, centreOf(e, k));
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
        const QRect band = top.FrameRect(k);
        const QRect plate = title.FrameRect(k);
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
        const QRect f = bar.FrameRect(k);
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
    void textBackgroundFitsTheTitleBar_data() { skinRows(); }
    void textBackgroundFitsTheTitleBar();
    void lagoonShowsTheOtherFrameGeometry();
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
    const QStringList built = QDir(buildDir() + QStringLiteral("/skins"))
                                  .entryList({QStringLiteral("*.skn")}, QDir::Files);
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
    const QStringList problems = cornerProblems(*skin);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
    // Active and inactive windows look different.
    const TDataSkinBorder *left = skin->Left(), *top = skin->Top();
    QVERIFY(meanDifference(top->Image, top->FrameRect(1), top->FrameRect(2)) > 12);
    QVERIFY(meanDifference(left->Image, left->FrameRect(1), left->FrameRect(2)) > 12);
}

void TestSkins::captionButtonsFitTheTitleBar() {
    LOAD_SKIN(skin);
    const QStringList problems = captionProblems(*skin);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
}

void TestSkins::textBackgroundFitsTheTitleBar() {
    LOAD_SKIN(skin);
    const TDataSkinTitle& title = *skin->Title();
    const int titleHeight = skin->Top()->FrameHeight();
    QCOMPARE(title.TextBackground, 1);
    // Two frames stacked, each as high as the title bar: it is drawn over the bar's height.
    QCOMPARE(title.Image.height(), 2 * titleHeight);
    const int width = title.Image.width();
    QVERIFY(title.TxtBackLeft > 0 && title.TxtBackRight > 0);
    QVERIFY(title.TxtBackLeft + title.TxtBackRight < width);
    for (int k : {1, 2}) {
        const QRect f = title.FrameRect(k);
        // Round ends: the corners of the plate are see-through.
        for (const QPoint corner : {f.topLeft(), f.topRight(), f.bottomLeft(), f.bottomRight()})
            QVERIFY(orvik::IsSeeThrough(title.Image.pixel(corner)));
        // The middle is repeated under the text, so its columns are all alike.
        for (int x = title.TxtBackLeft + 1; x < width - title.TxtBackRight; ++x)
            for (int y = f.top(); y <= f.bottom(); ++y)
                QVERIFY2(title.Image.pixel(x, y) == title.Image.pixel(title.TxtBackLeft, y),
                         qPrintable(QStringLiteral("frame %1, %2,%3").arg(k).arg(x).arg(y)));
    }
}

// The fourth skin shows what else a skin's frame can be: a taller title bar with the caption
// centred on its plate and the caption buttons around it, a wider sizeable border, and round
// corners at the bottom as well as at the top.
void TestSkins::lagoonShowsTheOtherFrameGeometry() {
    QString problem;
    const auto skin = loadSkin(packagePath(QStringLiteral("lagoon")), &problem);
    QVERIFY2(!skin->Loading(), qPrintable(problem));
    const TDataSkinBorder *left = skin->Left(), *right = skin->Right(), *top = skin->Top(),
                          *bottom = skin->Bottom();
    const int titleHeight = top->FrameHeight();
    QVERIFY2(titleHeight > 26, qPrintable(QString::number(titleHeight)));
    for (const TDataSkinBorder* side : {left, right})
        QVERIFY2(side->FrameWidth() > 4, qPrintable(side->Name));
    QVERIFY(bottom->FrameHeight() > 4);

    // All four parts are cut out, and so are all four outer corners.
    for (const TDataSkinBorder* part : {left, right, top, bottom})
        QVERIFY2(part->Trans == 1, qPrintable(part->Name));
    const QRect lf = left->FrameRect(1), rf = right->FrameRect(1);
    for (const auto& [image, corner] :
         {std::pair{&left->Image, lf.topLeft()}, std::pair{&left->Image, lf.bottomLeft()},
          std::pair{&right->Image, rf.topRight()}, std::pair{&right->Image, rf.bottomRight()}})
        QVERIFY(orvik::IsSeeThrough(image->pixel(corner)));
    // The bottom curve is wider than the side border: the bottom part has see-through ends.
    const QRect bf = bottom->FrameRect(1);
    QVERIFY(orvik::IsSeeThrough(bottom->Image.pixel(bf.bottomLeft())));

    // The caption is centred on its plate; the system menu sits before it, the other buttons
    // after it, whatever the caption's length.
    const TDataSkinTitle& title = *skin->Title();
    QCOMPARE(title.TextAlignment, 1);
    QCOMPARE(title.TextBackground, 1);
    QVERIFY(title.HasImage());
    for (int textWidth : {60, 160, 300}) {
        const CaptionPlaces places = placeCaption(*skin, 800, textWidth, false);
        QVERIFY(std::abs(places.text.center().x() - 400) <= 1);
        QCOMPARE(places.buttons.size(), 4);
        for (const auto& [b, r] : places.buttons) {
            if (b->Action == 12) {
                QVERIFY2(b->Align == 2 || b->Align == 8, qPrintable(b->Name));
                QVERIFY(r.right() < places.text.left());
            } else {
                QVERIFY2(b->Align == 3 || b->Align == 9, qPrintable(b->Name));
                QVERIFY(r.left() > places.text.right());
            }
        }
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
                orvik::FrameRect(b.CheckImage.size(), 12, 1),
                orvik::FrameRect(b.CheckImage.size(), 12, k));
        compare(QStringLiteral("radio button frame %1").arg(k), b.RadioImage,
                orvik::FrameRect(b.RadioImage.size(), 8, 1),
                orvik::FrameRect(b.RadioImage.size(), 8, k));
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
    const QString notSkin = sourceDir() + QStringLiteral("/skins/pebble/skin.json");
    const QString png = dir_.filePath(QStringLiteral("refused.png"));
    Result r = run(QStringLiteral("orvik-skin"), {QStringLiteral("preview"), notSkin, png});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QLatin1String("preview")), qPrintable(r.err));
    QVERIFY(!QFile::exists(png));
    r = run(QStringLiteral("orvik-skin"), {QStringLiteral("preview"), packagePath(OwnSkins[0])});
    QCOMPARE(r.code, 2);
    QVERIFY(r.err.contains(QLatin1String("usage")));
}

QTEST_MAIN(TestSkins)
#include "test_skins.moc"
