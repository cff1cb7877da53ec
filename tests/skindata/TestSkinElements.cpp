// The element objects a definition and its pictures turn into: margins, flags, frame counts,
// caption buttons, colours, and the pictures the load makes itself.

#include "skin/data/SkinGenerated.h"
#include "tests/skindata/SkinTestKit.h"
#include "tests/skindata/TestClasses.h"

#include <QTest>

using namespace skintest;
using orvik::RGBColour;

namespace {

QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}
QRgb rgb(QColor c) {
    return c.rgb() & 0xFFFFFFu;
}
const QRgb magenta = 0xFF00FFu;

PackageRecipe richSkin() {
    PackageRecipe recipe;
    recipe.definition = QStringList{
        "[TitlebarSkin]",      "SkinName= Rich ",
        "[Personality]",       "Left=frameleft.bmp",
        "LeftTopHeight=5",     "LeftBotHeight=6",
        "LeftFrame=2",         "LeftStretch=3",
        "LeftTrans=0",         "Top=Skin\\FrameTop.bmp",
        "TopTopHeight=7",      "TopBotHeight=8",
        "menuBar=menubar.bmp", "TileMenu=4",
        "TileLeftMenu=0",      "TextBack=textback.bmp",
        "TextShift=11",        "TextShiftVert=12",
        "TextRightClip=13",    "TextAlignment=2",
        "TXTBackRight=9",      "ActiveTextR=1",
        "ActiveTextG=2",       "ActiveTextB=3",
        "InActiveTextR=1",     "[Fonts]",
        "FontHeight=16",
    };
    recipe.pictures = {{"frameleft.bmp", solid(8, 40, Qt::red)},
                       {"frametop.bmp", solid(30, 20, Qt::blue)},
                       {"menubar.bmp", solid(20, 40, Qt::gray)},
                       {"textback.bmp", solid(20, 18, Qt::cyan)}};
    return recipe;
}

} // namespace

void TestSkinElements::bordersTitleAndMenuBar() {
    TSkinData skin;
    QVERIFY(loadInto(skin, richSkin()));
    QCOMPARE(skin.SkinName(), QString("Rich"));

    const TDataSkinBorder& left = *skin.Left();
    QCOMPARE(left.Image.size(), QSize(8, 40));
    QCOMPARE(left.Margins(), QMargins(0, 5, 0, 6));
    QCOMPARE(left.FrameCount, 2);
    QCOMPARE(left.Tile, 1); // "Stretch" above 1 counts as 1
    QCOMPARE(left.Trans, 0);
    // The side borders hold their frames side by side, the others stacked.
    QCOMPARE(left.FrameRect(2), QRect(4, 0, 4, 40));
    // Top and bottom keep their end pieces in the side margins.
    const TDataSkinBorder& top = *skin.Top();
    QCOMPARE(top.Image.size(), QSize(30, 20));
    QCOMPARE(top.Margins(), QMargins(7, 0, 8, 0));
    QCOMPARE(top.FrameCount, 1);
    QCOMPARE(top.Trans, 1);
    // A border the definition does not name exists without a picture.
    QVERIFY(skin.Right()->Image.isNull());
    QCOMPARE(skin.Bottom()->FrameCount, 1);
    QCOMPARE(skin.Left()->NormalColour, 0);

    const TDataSkinTitle& title = *skin.Title();
    QCOMPARE(title.Margins(), QMargins(11, 12, 13, 0));
    QCOMPARE(title.TextAlignment, 2);
    QCOMPARE(title.TxtBackRight, 9);
    QCOMPARE(title.FontHeight, 16);
    QCOMPARE(title.FrameCount, 2);
    QCOMPARE(title.ActiveTextColor, RGBColour(1, 2, 3));
    QCOMPARE(title.InactiveTextColor, TDataSkinTitle::NoTextColor);

    TDataSkinObject* bar = skin.MenuBar();
    QVERIFY(bar);
    QCOMPARE(bar->Tile, 1);
    QCOMPARE(bar->LeftWidth, 0);
    QCOMPARE(bar->RightWidth, 1);
    QCOMPARE(bar->FrameCount, 2);
    QVERIFY(bar->Stacked() && skin.Top()->Stacked() && skin.Bottom()->Stacked() && title.Stacked());
    QCOMPARE(bar->FrameRect(2),
             QRect(0, bar->Image.height() / 2, bar->Image.width(), bar->Image.height() / 2));
    QVERIFY(!skin.Right()->Stacked() && !skin.Buttons()->Stacked());
    for (const TDataSkinSysButton* b : skin.SysButtons())
        QVERIFY(!b->Stacked());
}

void TestSkinElements::paletteAndColourTable() {
    PackageRecipe recipe;
    recipe.definition = QStringList{
        "[Colour7]",         "color=1 2 3",   "[Colours]",      "ButtonFace=200 201 202",
        "HilightText=9,8,7", "[colour1]",     "color=4 5 6",    "[Colour]",
        "[ColourX]",         "Color=300 0 0", "[Customcolors]", "Color3=10 20 30",
        "Color10=1 1 1"};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    // File order decides the index; the digits in the name mean nothing.
    QCOMPARE(skin.ColourTable(),
             (QList<TColor>{RGBColour(1, 2, 3), RGBColour(4, 5, 6),
                            orvik::SystemColour(orvik::COLOR_WINDOWTEXT), RGBColour(44, 0, 0)}));
    QCOMPARE(skin.ButtonFaceColor(), RGBColour(200, 201, 202));
    QCOMPARE(skin.MenubarColor(), RGBColour(200, 201, 202));
    // Fields and lists without a colour of their own take the face colour.
    QCOMPARE(skin.WindowColor(), RGBColour(200, 201, 202));
    QCOMPARE(skin.HilightTextColor(), RGBColour(9, 8, 7));
    QCOMPARE(skin.ButtonLightColor(), orvik::SystemColour(orvik::COLOR_BTNHIGHLIGHT));
    QCOMPARE(skin.ButtonFaceBrush().color(), QColor(200, 201, 202));
    QCOMPARE(skin.CustomColors()[3], RGBColour(10, 20, 30));
    QCOMPARE(skin.CustomColors()[9], orvik::clWhite);

    // System colours stay references and resolve against the palette when drawn.
    const TColor text = skin.ButtonTextColor();
    QVERIFY(orvik::IsSystemColour(text));
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(1, 99, 7));
    QCOMPARE(orvik::ToQColor(text, palette), QColor(1, 99, 7));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(5, 5, 5));
    QCOMPARE(orvik::ToQColor(text, palette), QColor(5, 5, 5));
    QCOMPARE(orvik::ToQColor(RGBColour(10, 20, 30), palette), QColor(10, 20, 30));
}

void TestSkinElements::captionButtons() {
    PackageRecipe recipe;
    recipe.definition =
        QStringList{"[Button.Close]",    "Action=0",          "Xcoord=30",
                    "Ycoord=4",          "Align=1",           "ButtonImage=c.bmp",
                    "[Button2]",         "Action=1",          "ButtonImage=wide.bmp",
                    "CombineOp=2",       "[ButtonMenu]",      "Action=3",
                    "ButtonImage=c.bmp", "[ButtonFramed]",    "Action=11",
                    "frame=2",           "ButtonImage=c.bmp", "[ButtonHidden]",
                    "Action=-1",         "ButtonImage=c.bmp", "[ButtonShown]",
                    "Action=-1",         "Visibility=0",      "ButtonImage=c.bmp",
                    "[Buttons]",         "[Button.Radio]",    "[BUTTON]",
                    "[Button.CheckBox]", "[ButtonNoPicture]"};
    recipe.pictures = {{"c.bmp", solid(60, 21, Qt::red)}, {"wide.bmp", solid(120, 21, Qt::blue)}};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));

    const auto& buttons = skin.SysButtons();
    QStringList names;
    for (auto* b : buttons)
        names << b->Name;
    QCOMPARE(names.mid(0, 5),
             (QStringList{"BUTTON.CLOSE", "BUTTON2", "BUTTONMENU", "BUTTONFRAMED", "BUTTONSHOWN"}));
    QCOMPARE(buttons.size(), 6 + 3);

    QCOMPARE(buttons[0]->FrameCount, 3); // 60 x 21
    QCOMPARE(buttons[0]->Xcoord, 30);
    QCOMPARE(buttons[0]->Ycoord, 4);
    QCOMPARE(buttons[0]->Align, 1);
    QCOMPARE(buttons[0]->CombineOp, -1);
    QCOMPARE(buttons[0]->Visibility1, 0);
    QCOMPARE(buttons[1]->FrameCount, 6); // 120 x 21
    QCOMPARE(buttons[1]->CombineOp, 2);
    // The system menu button shows the window icon: its picture goes.
    QCOMPARE(buttons[2]->FrameCount, 3);
    QVERIFY(buttons[2]->Image.isNull());
    // With "frame" given, nothing is derived and the picture stays.
    QCOMPARE(buttons[3]->FrameCount, 2);
    QCOMPARE(buttons[3]->Image.size(), QSize(60, 21));
    QCOMPARE(buttons[4]->FrameCount, 6); // negative action
    QCOMPARE(buttons[4]->Visibility1, -1);
    QCOMPARE(buttons[5]->Name, QString("BUTTONNOPICTURE"));
    QCOMPARE(buttons[5]->FrameCount, 6);
}

void TestSkinElements::childWindowButtons() {
    QImage strip(120, 18, QImage::Format_RGB32);
    strip.fill(Qt::black);
    for (int x = 0; x < 120; ++x)
        strip.setPixel(x, 5, qRgb(x, 0, 0));
    PackageRecipe recipe;
    recipe.definition = QStringList{"[MDICONTROLS]", "Image=mdi.bmp"};
    recipe.pictures = {{"mdi.bmp", strip}};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    QCOMPARE(skin.SysButtons().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& b = *skin.SysButtons()[i];
        QCOMPARE(b.Action, 7 + i);
        QCOMPARE(b.Align, 100);
        QCOMPARE(b.Visibility, 100);
        QCOMPARE(b.Visibility1, 100);
        QCOMPARE(b.FrameCount, 4);
        QCOMPARE(b.Image.size(), QSize(40, 18));
        QCOMPARE(b.Xcoord, 14 * (3 - i));
        QCOMPARE(qRed(b.Image.pixel(0, 5)), 40 * i);
        QCOMPARE(qRed(b.Image.pixel(39, 5)), 40 * i + 39);
    }

    TSkinData plain;
    QVERIFY(loadInto(plain, PackageRecipe{}));
    QCOMPARE(plain.SysButtons().size(), 3);
    QVERIFY(plain.SysButtons()[0]->Image.isNull());
    QCOMPARE(plain.SysButtons()[0]->Xcoord, 0);
}

void TestSkinElements::checkAndRadioFrames_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("frameKey");
    QTest::addColumn<int>("frames");
    QTest::newRow("52 x 13") << QSize(52, 13) << QString() << 4;
    QTest::newRow("64 x 16") << QSize(64, 16) << QString() << 4;
    QTest::newRow("96 x 16") << QSize(96, 16) << QString() << 6;
    QTest::newRow("20 x 16") << QSize(20, 16) << QString() << 4;
    QTest::newRow("130 x 13") << QSize(130, 13) << QString() << 10;
    QTest::newRow("given") << QSize(96, 16) << QString("7") << 7;
    QTest::newRow("no picture") << QSize() << QString() << 4;
}

void TestSkinElements::checkAndRadioFrames() {
    QFETCH(QSize, size);
    QFETCH(QString, frameKey);
    QFETCH(int, frames);
    PackageRecipe recipe;
    recipe.definition = QStringList{"[Buttons]", "Bitmap=push.bmp", "Tile=3"};
    if (size.isValid()) {
        recipe.definition << "CheckButton=check.bmp"
                          << "RadioButton=radio.bmp";
        recipe.pictures = {{"check.bmp", solid(size.width(), size.height(), Qt::green)},
                           {"radio.bmp", solid(size.width(), size.height(), Qt::green)}};
    }
    if (!frameKey.isEmpty())
        recipe.definition << "CheckButtonFrame=" + frameKey << "RadioButtonFrame=" + frameKey;
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    QCOMPARE(skin.Buttons()->CheckFrames, frames);
    QCOMPARE(skin.Buttons()->RadioFrames, frames);
    QCOMPARE(skin.Buttons()->FrameCount, 5);
    QCOMPARE(skin.Buttons()->Tile, 0); // above 1 counts as 0 here
}

void TestSkinElements::sectionElements() {
    PackageRecipe recipe;
    recipe.definition = QStringList{"[Colours]",
                                    "ButtonText=9 8 7",
                                    "Window=11 12 13",
                                    "[Buttons]",
                                    "NormalColour2=1 1 1",
                                    "PressedColour2=",
                                    "[Progress]",
                                    "Bitmap=p.bmp",
                                    "Style=1",
                                    "Tile=5",
                                    "NormalColour=3",
                                    "LeftWidth=2",
                                    "[Progress.Chunk]",
                                    "Image=p.bmp",
                                    "[Tab.Pane]",
                                    "Image=p.bmp",
                                    "LeftWidth=9",
                                    "TopHeight=9",
                                    "RightWidth=2",
                                    "BottomHeight=9",
                                    "[Headerbar]",
                                    "Image=p.bmp",
                                    "Tile=7",
                                    "MouseOverColour=2",
                                    "PressedColour2=4 5 6",
                                    "[Scrollbar]",
                                    "Image=missing.bmp",
                                    "[HorzScrollThumb]",
                                    "Image=p.bmp",
                                    "FrameCount=7",
                                    "[VertScrollThumb]",
                                    "Image=p.bmp",
                                    "[GroupBox]",
                                    "Image=p.bmp",
                                    "BackgroundAlignment=2",
                                    "BackgroundRightShift=-3",
                                    "[UpDown.Horz]",
                                    "Image=p.bmp",
                                    "GlyphImage=g.bmp",
                                    "[Tabs]",
                                    "Image=p.bmp",
                                    "Border=g.bmp",
                                    "[MenuItem]",
                                    "Image=",
                                    "[ToolBars]"};
    recipe.pictures = {{"p.bmp", solid(40, 10, Qt::red)}, {"g.bmp", solid(8, 8, Qt::blue)}};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));

    QCOMPARE(skin.WindowColor(), RGBColour(11, 12, 13));

    TDataSkinBorder* progress = skin.Progress();
    QVERIFY(progress);
    QCOMPARE(progress->FrameCount, 1); // a style other than 0
    QCOMPARE(progress->Tile, 1);       // above 1 counts as 1 for the progress bar only
    QCOMPARE(progress->LeftWidth, 2);
    QCOMPARE(progress->NormalColour, 0); // colours are not read for it
    QCOMPARE(skin.ProgressChunk()->FrameCount, 0);

    QCOMPARE(skin.TabPane()->Margins(), QMargins(4, 4, 2, 4));
    QCOMPARE(skin.TabPane()->FrameCount, 1);

    TDataSkinObject* header = skin.Headerbar();
    QCOMPARE(header->FrameCount, 5);
    QCOMPARE(header->Tile, 0);
    QCOMPARE(header->NormalColour, -1);
    QCOMPARE(header->MouseOverColour, 2);
    QCOMPARE(header->NormalColour2, RGBColour(9, 8, 7));
    QCOMPARE(header->PressedColour2, RGBColour(4, 5, 6));
    QCOMPARE(header->Name, QString("Headerbar"));

    // A named picture the package lacks: the element exists, without a picture.
    QVERIFY(skin.Scrollbar());
    QVERIFY(skin.Scrollbar()->Image.isNull());
    QCOMPARE(skin.Scrollbar()->FrameCount, 23);

    QCOMPARE(skin.HorzScrollThumb()->FrameCount, 7);
    QCOMPARE(skin.VertScrollThumb()->FrameCount, 3);
    QCOMPARE(skin.GroupBox()->BackgroundAlignment, 2);
    QCOMPARE(skin.GroupBox()->BackgroundRightShift, -3);
    QCOMPARE(skin.GroupBox()->FrameCount, 1);
    QCOMPARE(skin.UpDownHorz()->Image2.size(), QSize(8, 8));
    QCOMPARE(skin.UpDownHorz()->FrameCount, 8);
    QCOMPARE(skin.Tabs()->Image2.size(), QSize(8, 8));
    QCOMPARE(skin.Tabs()->FrameCount, 5);
    QVERIFY(!skin.MenuItem()); // an image key without a value
    QVERIFY(!skin.ToolBars());
    QVERIFY(!skin.UpDownVert());

    const TDataSkinButton& buttons = *skin.Buttons();
    QVERIFY(buttons.HasNormalColour2);
    QVERIFY(!buttons.HasMouseOverColour2);
    QVERIFY(!buttons.HasPressedColour2);
    QCOMPARE(buttons.NormalColour2, RGBColour(1, 1, 1));
    QCOMPARE(buttons.PressedColour2, RGBColour(9, 8, 7));
    QCOMPARE(buttons.NormalColour, -1);
}

namespace {

const QList<QColor> edgeColours = {QColor(10, 0, 0), QColor(20, 0, 0), QColor(30, 0, 0),
                                   QColor(40, 0, 0)};
const QList<QColor> buttonColours = {QColor(0, 10, 0), QColor(0, 20, 0), QColor(0, 30, 0),
                                     QColor(0, 40, 0)};

PackageRecipe comboSkin() {
    PackageRecipe recipe;
    recipe.definition =
        QStringList{"[SunkEdge]",  "Image=sunk.bmp", "TopHeight=1",   "BottomHeight=2",
                    "LeftWidth=1", "RightWidth=1",   "[ComboButton]", "Image=button.bmp"};
    recipe.pictures = {{"sunk.bmp", strip(10, 21, edgeColours)},
                       {"button.bmp", strip(8, 21, buttonColours)}};
    return recipe;
}

} // namespace

void TestSkinElements::comboComposite() {
    TSkinData skin;
    QCOMPARE(skin.ScrollArrowWidth(), 16);
    QVERIFY(loadInto(skin, comboSkin()));
    const int b = 18;
    const TDataSkinBorder& combo = *skin.ComboButton();
    const TDataSkinObject& sunk = *skin.SunkEdge();

    QCOMPARE(combo.Image.size(), QSize(200, 21));
    QCOMPARE(combo.Style, 2);
    QCOMPARE(combo.Margins(), QMargins(2, 1, b + 2, 2));
    QCOMPARE(combo.FrameCount, 4);
    for (int k = 1; k <= 4; ++k) {
        const int x0 = 50 * (k - 1);
        const QImage& img = combo.Image;
        const QRgb edge = rgb(edgeColours[k - 1]);
        const QRgb button = rgb(buttonColours[k - 1]);
        QCOMPARE(rgb(img, x0 + 0, 10), edge);
        QCOMPARE(rgb(img, x0 + 1, 1), edge);
        // The interior (2, 2) to (49 - b, 18), right and bottom excluded, is transparent.
        QCOMPARE(rgb(img, x0 + 2, 2), magenta);
        QCOMPARE(rgb(img, x0 + 48 - b, 17), magenta);
        QCOMPARE(rgb(img, x0 + 49 - b, 10), edge);
        QCOMPARE(rgb(img, x0 + 10, 18), edge);
        QCOMPARE(rgb(img, x0 + 10, 1), edge);
        // The button fills the right b pixels.
        QCOMPARE(rgb(img, x0 + 50 - b, 10), button);
        QCOMPARE(rgb(img, x0 + 49, 20), button);
        QCOMPARE(rgb(img, x0 + 49 - b, 0), edge);
    }
    // The sunken edge holds the mirror image: the button on the left.
    QCOMPARE(sunk.Image.size(), QSize(200, 21));
    QCOMPARE(sunk.Margins(), QMargins(b + 2, 1, 2, 2));
    for (int x : {0, 17, 18, 31, 32, 100, 199})
        QCOMPARE(rgb(sunk.Image, x, 10), rgb(combo.Image, 199 - x, 10));
    // The second picture is the mirrored button picture as the package had it.
    QCOMPARE(combo.Image2.size(), QSize(32, 21));
    QCOMPARE(rgb(combo.Image2, 0, 0), rgb(buttonColours[3]));
    QCOMPARE(rgb(combo.Image2, 31, 0), rgb(buttonColours[0]));

    // Without the sunken edge the button keeps its own picture.
    PackageRecipe alone;
    alone.definition = QStringList{"[ComboButton]", "Image=button.bmp"};
    alone.pictures = {{"button.bmp", strip(8, 21, buttonColours)}};
    TSkinData other;
    QVERIFY(loadInto(other, alone));
    QCOMPARE(other.ComboButton()->Image.size(), QSize(32, 21));
    QCOMPARE(other.ComboButton()->Style, 0);
}

void TestSkinElements::comboCompositeWithArrowAndTransparency() {
    PackageRecipe recipe = comboSkin();
    QImage sunk = strip(10, 21, edgeColours);
    sunk.setPixel(0, 20, qRgb(255, 0, 255));
    recipe.pictures[0].second = sunk;
    recipe.definition << "[SunkEdge]" // a second header is never read; keys go in the first
                      << "Trans=0";
    recipe.definition.insert(1, "Trans=1");
    recipe.definition << "[ExtraImages]"
                      << "Image=arrows.bmp";
    const QList<QColor> arrows = {Qt::white, Qt::yellow, Qt::cyan, Qt::blue, Qt::black};
    recipe.pictures.append({"arrows.bmp", strip(4, 4, arrows)});
    TSkinData skin;
    skin.SetScrollArrowWidth(14);
    QVERIFY(loadInto(skin, recipe));
    const int b = 16;
    const QImage& img = skin.ComboButton()->Image;
    for (int k = 1; k <= 4; ++k) {
        const int x0 = 50 * (k - 1);
        // The arrow glyph is centred in the button part (50 - b .. 50, 0 .. 21).
        const int gx = x0 + 50 - b + (b - 4) / 2;
        const int gy = (21 - 4) / 2;
        QCOMPARE(rgb(img, gx, gy), rgb(arrows[k - 1]));
        QCOMPARE(rgb(img, gx + 3, gy + 3), rgb(arrows[k - 1]));
        QCOMPARE(rgb(img, gx - 1, gy), rgb(buttonColours[k - 1]));
        QCOMPARE(rgb(img, gx + 4, gy), rgb(buttonColours[k - 1]));
    }
    // A transparent pixel of the edge stays transparent in the strip.
    QCOMPARE(rgb(img, 0, 20), magenta);
    QCOMPARE(rgb(img, 1, 19), rgb(edgeColours[0]));
    QCOMPARE(skin.ComboButton()->RightWidth, b + 2);
}

void TestSkinElements::toolbarGradient() {
    QImage top(30, 20, QImage::Format_RGB32);
    top.fill(Qt::black);
    // Two stacked frames of 10 rows: the colour is taken at (30 / 3, 10 / 3).
    top.setPixel(10, 3, qRgb(40, 80, 200));
    PackageRecipe recipe;
    recipe.definition = QStringList{"[Personality]", "Top=top.bmp", "TopFrame=2", "[Colours]",
                                    "ButtonFace=200 200 200"};
    recipe.pictures = {{"top.bmp", top}};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    const TDataSkinObject& bar = *skin.ToolbarBack();
    QCOMPARE(bar.Name, QString("Toolbar"));
    QCOMPARE(bar.FrameCount, 1);
    QCOMPARE(bar.Image.size(), QSize(10, 40));
    // Top row: 15 % of the face colour on white. Bottom: the frame colour (saturation 204)
    // lightened with white, reached in 39 truncated steps.
    QCOMPARE(rgb(bar.Image, 0, 0), qRgb(247, 247, 247) & 0xFFFFFFu);
    QCOMPARE(rgb(bar.Image, 9, 0), qRgb(247, 247, 247) & 0xFFFFFFu);
    QCOMPARE(orvik::ToolbarBottomColour(RGBColour(40, 80, 200)), RGBColour(141, 162, 226));
    QCOMPARE(rgb(bar.Image, 0, 39), qRgb(142, 163, 227) & 0xFFFFFFu);
    QCOMPARE(rgb(bar.Image, 9, 39), qRgb(142, 163, 227) & 0xFFFFFFu);
    QCOMPARE(orvik::ToolbarSaturation(RGBColour(40, 80, 200)), 204);
    QCOMPARE(orvik::ToolbarSaturation(RGBColour(100, 100, 100)), 200);
    QCOMPARE(orvik::ToolbarSaturation(RGBColour(200, 199, 200)), 1);
    // 255 * 2 / 204 = 2.5: halves go to the even neighbour.
    QCOMPARE(orvik::ToolbarSaturation(RGBColour(204, 202, 204)), 2);
}

void TestSkinElements::toolbarGradientWithoutBorder() {
    PackageRecipe recipe;
    recipe.definition = QStringList{"[Colours]", "ButtonFace=200 200 200"};
    TSkinData skin;
    QVERIFY(loadInto(skin, recipe));
    const QImage& img = skin.ToolbarBack()->Image;
    // Grey face, no saturation: the bottom is 15 % grey over the face colour.
    QCOMPARE(orvik::ToolbarBottomColour(RGBColour(200, 200, 200)), RGBColour(189, 189, 189));
    QCOMPARE(rgb(img, 0, 0), qRgb(247, 247, 247) & 0xFFFFFFu);
    QCOMPARE(rgb(img, 0, 39), qRgb(190, 190, 190) & 0xFFFFFFu);
    // Monotonic in between.
    for (int y = 1; y < 40; ++y)
        QVERIFY(qRed(img.pixel(0, y)) <= qRed(img.pixel(0, y - 1)));
}

void TestSkinElements::builtInPictures() {
    TSkinData skin;
    QVERIFY(loadInto(skin, PackageRecipe{}));
    const QRgb D = qRgb(128, 128, 128) & 0xFFFFFFu;
    const QRgb S = qRgb(192, 192, 192) & 0xFFFFFFu;
    const QRgb W = 0xFFFFFFu;

    const TDataSkinObject& track = *skin.Track();
    QCOMPARE(track.Image.size(), QSize(16, 4));
    QCOMPARE(track.Margins(), QMargins(3, 3, 3, 3));
    QCOMPARE(track.FrameCount, 1);
    QCOMPARE(track.Tile, 0);
    const QList<QList<QRgb>> trackRows = {{S, S, D, D, D, D, D, D, D, D, D, D, D, D, W, W},
                                          {S, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W},
                                          {D, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W},
                                          {S, S, W, W, W, W, W, W, W, W, W, W, W, W, W, W}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 16; ++x)
            QCOMPARE(rgb(track.Image, x, y), trackRows[y][x]);

    const TDataSkinObject& vert = *skin.TrackVert();
    QCOMPARE(vert.Image.size(), QSize(4, 16));
    for (int y = 0; y < 16; ++y) {
        const QList<QRgb> row = y == 0   ? QList<QRgb>{S, S, D, S}
                                : y == 1 ? QList<QRgb>{S, S, S, S}
                                : y < 14 ? QList<QRgb>{D, W, W, W}
                                         : QList<QRgb>{W, W, W, W};
        for (int x = 0; x < 4; ++x)
            QCOMPARE(rgb(vert.Image, x, y), row[x]);
    }

    // Four glyphs, white transparent, black drawn.
    QCOMPARE(skin.MenuGlyphs().size(), 4);
    for (const QImage& glyph : skin.MenuGlyphs()) {
        QCOMPARE(glyph.size(), QSize(16, 16));
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const QRgb p = glyph.pixel(x, y);
                QVERIFY(qAlpha(p) == 0 || (p & 0xFFFFFFu) == 0);
                drawn += qAlpha(p) ? 1 : 0;
            }
        QVERIFY(drawn > 8);
        QVERIFY(qAlpha(glyph.pixel(0, 0)) == 0);
    }
}
