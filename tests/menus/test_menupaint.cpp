// The skinned menus as pictures and places: the bar's band and items, a popup's background,
// border and items, sampled against the cells of two of our skins, and a skin without menu
// pictures falling back to flat colours; the places of bar items and of the parts of a popup
// item as values.

#include "tests/skindata/SkinTestKit.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MenuBarPaint.h"
#include "skin/draw/MenuLayout.h"
#include "skin/draw/PopupMenuPaint.h"

#include <QFont>
#include <QPainter>
#include <QSet>
#include <QTest>

#include <memory>

using namespace orvik;

namespace {

std::unique_ptr<TSkinData> builtSkin(const QString& name) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
    return skin;
}

// A skin with colours only: no menu bar, menu item or menu background picture.
std::unique_ptr<TSkinData> flatSkin(TColor buttonShadow = RGBColour(90, 91, 92)) {
    skintest::PackageRecipe recipe;
    const QString shadow = QStringLiteral("ButtonShadow=%1 %2 %3")
                               .arg(RedOf(buttonShadow))
                               .arg(GreenOf(buttonShadow))
                               .arg(BlueOf(buttonShadow));
    recipe.definition = QStringList{"[Colours]",
                                    "Menubar=10 20 30",
                                    "Menu=200 210 220",
                                    "MenuText=1 2 3",
                                    "MenuBarText=4 5 6",
                                    "Hilight=40 50 160",
                                    "HilightText=250 250 240",
                                    "ButtonHilight=255 255 0",
                                    shadow};
    auto skin = std::make_unique<TSkinData>();
    skintest::loadInto(*skin, recipe);
    return skin;
}

// Text drawn without smoothing, so that its pixels carry the ink exactly.
QFont crispFont(int pixels = 12) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFFu;
}
QRgb rgb(const QColor& c) {
    return c.rgb() & 0xFFFFFFu;
}

// Every colour of one row of a frame between its left and right margins.
QSet<QRgb> rowColours(const TDataSkinObject& e, int k, int row) {
    const QRect f = e.FrameRect(k);
    QSet<QRgb> out;
    for (int x = f.left() + e.LeftWidth; x <= f.right() - e.RightWidth; ++x)
        out.insert(rgb(e.Image, x, f.top() + row));
    return out;
}

int countInk(const QImage& image, const QRect& area, const QColor& ink) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += rgb(image, x, y) == rgb(ink);
    return n;
}

// The leftmost and rightmost column holding ink, (-1, -1) for none.
QPair<int, int> inkColumns(const QImage& image, const QRect& area, const QColor& ink) {
    int first = -1, last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (rgb(image, x, y) == rgb(ink)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

// One popup item painted over the skin's popup background.
struct PaintedItem {
    QImage image;
    QImage background;
    QRect item;
};

PaintedItem paintItem(const TSkinData& skin, const TMenuItemLook& look, int height = 20) {
    PaintedItem out;
    const QSize popup(160, height + 2 * PopupBorder);
    out.background = PopupBackground(skin, popup);
    out.image = QImage(popup, QImage::Format_RGB32);
    out.image.fill(Qt::black);
    out.item = QRect(PopupBorder, PopupBorder, popup.width() - 2 * PopupBorder, height);
    QPainter p(&out.image);
    if (!out.background.isNull())
        p.drawImage(0, 0, out.background);
    PaintMenuItem(p, skin, out.item, look, crispFont(),
                  out.background.isNull() ? nullptr : &out.background);
    return out;
}

TMenuItemLook itemLook(const QString& caption) {
    TMenuItemLook look;
    look.caption = caption;
    return look;
}

} // namespace

class TestMenuPaint : public QObject {
    Q_OBJECT

private slots:
    void barItemPlaces();
    void barItemStart();
    void popupItemSizes();
    void popupItemPlaces();

    void skins_data();
    void bandAndBarItems_data() { skins_data(); }
    void bandAndBarItems();
    void popupBackgroundAndBorder_data() { skins_data(); }
    void popupBackgroundAndBorder();
    void popupItems_data() { skins_data(); }
    void popupItems();
    void separatorFromSecondFrame_data() { skins_data(); }
    void separatorFromSecondFrame();
    void checkShortcutAndArrow_data() { skins_data(); }
    void checkShortcutAndArrow();
    void rightToLeftItem();
    void imagesAndGlyphs();

    void flatSkinFallsBack();
    void disabledInkWhenShadowIsTextColour();
};

void TestMenuPaint::barItemPlaces() {
    // Captions 20, 0 (hidden or empty), 31 and 5 pixels wide, from 5 in a 300 x 20 band.
    const QList<int> widths{MenuBarItemWidth(20), MenuBarItemWidth(0), MenuBarItemWidth(31),
                            MenuBarItemWidth(5)};
    QCOMPARE(widths, (QList<int>{30, 0, 41, 15}));
    const QSize band(300, 20);
    QCOMPARE(
        MenuBarItemRects(widths, 5, band, false),
        (QList<QRect>{QRect(5, 0, 30, 19), QRect(), QRect(35, 0, 41, 19), QRect(76, 0, 15, 19)}));
    // Right to left: the same items from the right edge leftwards.
    QCOMPARE(MenuBarItemRects(widths, 9, band, true),
             (QList<QRect>{QRect(261, 0, 30, 19), QRect(), QRect(220, 0, 41, 19),
                           QRect(205, 0, 15, 19)}));
}

void TestMenuPaint::barItemStart() {
    TDataSkinObject bar(QStringLiteral("MenuBar"), TCellLayout::Stacked);
    bar.Image = skintest::solid(8, 40, Qt::gray);
    bar.FrameCount = 2;
    bar.LeftWidth = 3;
    bar.RightWidth = 2;
    QCOMPARE(MenuBarItemStart(&bar, 400, false), 7);
    QCOMPARE(MenuBarItemStart(&bar, 400, true), 10);
    // A band narrower than the start.
    QCOMPARE(MenuBarItemStart(&bar, 6, false), 12);
    QCOMPARE(MenuBarItemStart(&bar, 9, true), 12);
    // Without a picture (an element without one counts as none).
    QCOMPARE(MenuBarItemStart(nullptr, 400, false), 6);
    QCOMPARE(MenuBarItemStart(nullptr, 400, true), 6);
    bar.Image = QImage();
    QCOMPARE(MenuBarItemStart(&bar, 400, false), 6);
    QVERIFY(MenuBandHeight(12) >= 20);
    QCOMPARE(MenuBandHeight(20), 26);
}

void TestMenuPaint::popupItemSizes() {
    TDataSkinObject item(QStringLiteral("MenuItem"));
    item.Image = skintest::solid(120, 20, Qt::gray);
    item.FrameCount = 5;
    item.LeftWidth = 5;
    TMenuItemMeasure m;
    m.textWidth = 50;
    m.textHeight = 15;
    // A popup without images: caption + margin + 12 + 23.
    QCOMPARE(MenuItemSize(&item, m), QSize(90, 20));
    // A bar drop-down: caption + margin + 10 + 25.
    m.barDropDown = true;
    QCOMPARE(MenuItemSize(&item, m), QSize(90, 20));
    // With images in the menu: the image column + 22 joins the caption; no 23 or 25 then.
    m.imageWidth = 16;
    m.imageHeight = 16;
    QCOMPARE(MenuItemSize(&item, m), QSize(50 + 16 + 22 + 5 + 10, 20));
    m.barDropDown = false;
    QCOMPARE(MenuItemSize(&item, m), QSize(50 + 16 + 22 + 5 + 12, 20));
    // A tall font or image sets the height; the margin counts only with a picture.
    m.textHeight = 22;
    QCOMPARE(MenuItemSize(nullptr, m), QSize(50 + 16 + 22 + 12, 26));
    m.separator = true;
    QCOMPARE(MenuItemSize(&item, m).height(), 8);
}

void TestMenuPaint::popupItemPlaces() {
    TDataSkinObject item(QStringLiteral("MenuItem"));
    item.Image = skintest::solid(120, 20, Qt::gray);
    item.FrameCount = 5;
    item.LeftWidth = 5;
    const TMenuItemPlaces p = MenuItemPlaces(QSize(150, 20), &item, 0, false);
    QCOMPARE(p.image, QRect(6, 0, 16, 20));
    QCOMPARE(p.caption.left(), 25);
    QCOMPARE(p.shortcut.right(), 150 - 11 - 1);
    QCOMPARE(p.arrow, QRect(139, 0, 11, 20));
    // Wider images widen the column; without a picture it starts at 1.
    QCOMPARE(MenuItemPlaces(QSize(150, 20), &item, 24, false).image, QRect(6, 0, 24, 20));
    QCOMPARE(MenuItemPlaces(QSize(150, 20), nullptr, 0, false).image.left(), 1);
    // Right to left: mirrored.
    const TMenuItemPlaces r = MenuItemPlaces(QSize(150, 20), &item, 0, true);
    QCOMPARE(r.image, QRect(150 - 6 - 16, 0, 16, 20));
    QCOMPARE(r.caption.right(), 150 - 25 - 1);
    QCOMPARE(r.shortcut.left(), 11);
    QCOMPARE(r.arrow, QRect(0, 0, 11, 20));
}

void TestMenuPaint::skins_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("nightfall") << QStringLiteral("nightfall");
    QTest::newRow("pebble") << QStringLiteral("pebble");
}

void TestMenuPaint::bandAndBarItems() {
    QFETCH(QString, name);
    const auto skin = builtSkin(name);
    QVERIFY(!skin->Loading());
    const TDataSkinObject& bar = *skin->MenuBar();
    QCOMPARE(bar.FrameCount, 2);
    const int h = bar.FrameHeight();
    const QSize band(400, h);

    // Each row of the band comes from the same row of the active or the inactive frame.
    const QImage active = MenuBandImage(*skin, band, true);
    const QImage inactive = MenuBandImage(*skin, band, false);
    QCOMPARE(active.size(), band);
    bool framesDiffer = false;
    for (int y = 0; y < h; ++y) {
        for (int x : {bar.LeftWidth, 100, 399 - bar.RightWidth}) {
            QVERIFY2(rowColours(bar, windowcell::Active, y).contains(rgb(active, x, y)),
                     qPrintable(QStringLiteral("active band at %1,%2").arg(x).arg(y)));
            QVERIFY(rowColours(bar, windowcell::Inactive, y).contains(rgb(inactive, x, y)));
        }
        framesDiffer |= rgb(active, 100, y) != rgb(inactive, 100, y);
    }
    QVERIFY(framesDiffer);

    // Items: a normal one leaves the band as it is but for its caption, a hot one is framed in
    // the button highlight colour; captions in the bar text colour, disabled in the shadow one.
    const QRect item(30, 0, 60, h - 1);
    auto paint = [&](TBarItemState state, bool enabled) {
        QImage out = active;
        QPainter p(&out);
        PaintMenuBarItem(p, *skin, item, {QStringLiteral("&View"), enabled, state}, crispFont());
        return out;
    };
    const QColor frameInk = ToQColor(skin->ButtonHilightColor());
    const QImage normal = paint(TBarItemState::Normal, true);
    const QImage hot = paint(TBarItemState::Hot, true);
    const QImage pressed = paint(TBarItemState::Pressed, true);
    for (const QPoint& edge : {item.topLeft(), item.bottomRight(), QPoint(item.left(), 8),
                               QPoint(item.right(), 8), QPoint(50, item.bottom())}) {
        QCOMPARE(rgb(hot, edge.x(), edge.y()), rgb(frameInk));
        QCOMPARE(rgb(pressed, edge.x(), edge.y()), rgb(frameInk));
        QCOMPARE(rgb(normal, edge.x(), edge.y()), rgb(active, edge.x(), edge.y()));
    }
    // Just inside the frame the band shows again.
    QCOMPARE(rgb(hot, item.left() + 1, 2), rgb(active, item.left() + 1, 2));
    const QRect inside = item.adjusted(1, 1, -1, -1);
    const QColor text = ToQColor(skin->MenuBarTextColor());
    const QColor shadow = ToQColor(skin->ButtonShadowColor());
    QVERIFY(countInk(normal, inside, text) > 10);
    const QImage disabled = paint(TBarItemState::Normal, false);
    QVERIFY(countInk(disabled, inside, shadow) > 10);
    QCOMPARE(countInk(disabled, inside, text), countInk(active, inside, text));
    // Centred: as much room on both sides of the caption.
    const auto [first, last] = inkColumns(normal, inside, text);
    QVERIFY(qAbs((first - item.left()) - (item.right() - last)) <= 2);
}

void TestMenuPaint::popupBackgroundAndBorder() {
    QFETCH(QString, name);
    const auto skin = builtSkin(name);
    const TDataSkinObject& back = *skin->MenuBackground();
    QVERIFY(HasMenuBackground(*skin));
    const QSize popup(150, 90);
    const QImage bg = PopupBackground(*skin, popup);
    QCOMPARE(bg.size(), popup);
    const QSize pic = back.FrameSize();
    // Corners unscaled, the middle from the picture's middle.
    for (int y = 0; y < back.TopHeight; ++y) {
        for (int x = 0; x < back.LeftWidth; ++x) {
            QCOMPARE(rgb(bg, x, y), rgb(back.Image, x, y));
            QCOMPARE(rgb(bg, popup.width() - 1 - x, popup.height() - 1 - y),
                     rgb(back.Image, pic.width() - 1 - x, pic.height() - 1 - y));
        }
    }
    QCOMPARE(rgb(bg, 75, 45), rgb(back.Image, pic.width() / 2, pic.height() / 2));

    // The border strips come from that background; the inside is left alone.
    QImage out(popup, QImage::Format_RGB32);
    out.fill(Qt::green);
    {
        QPainter p(&out);
        PaintPopupBorder(p, bg);
    }
    for (const QPoint& at : {QPoint(0, 0), QPoint(2, 45), QPoint(75, 2), QPoint(147, 45),
                             QPoint(75, 87), QPoint(149, 89)})
        QCOMPARE(rgb(out, at.x(), at.y()), rgb(bg, at.x(), at.y()));
    for (const QPoint& at : {QPoint(3, 3), QPoint(146, 86), QPoint(75, 45)})
        QCOMPARE(rgb(out, at.x(), at.y()), rgb(QColor(Qt::green)));
}

void TestMenuPaint::popupItems() {
    QFETCH(QString, name);
    const auto skin = builtSkin(name);
    const TDataSkinObject& e = *skin->MenuItem();
    QCOMPARE(e.FrameCount, 5);
    QCOMPARE(e.FrameHeight(), 20);

    TMenuItemLook look = itemLook(QStringLiteral("Add &Station"));
    const PaintedItem normal = paintItem(*skin, look);
    look.selected = true;
    const PaintedItem selected = paintItem(*skin, look);
    look.selected = false;
    look.enabled = false;
    const PaintedItem disabled = paintItem(*skin, look);

    // A spot of the item's middle clear of any text: the normal frame lets the popup's
    // background show, the selected one is frame 4's middle.
    const QRect item = normal.item;
    const int x = item.right() - 30;
    for (int y = 3; y < 17; ++y) {
        const QRgb picture = rgb(e.Image, e.FrameRect(menucell::Normal).left() + 12, y);
        const QRgb expected =
            IsSeeThrough(picture) ? rgb(normal.background, x, item.top() + y) : picture;
        QCOMPARE(rgb(normal.image, x, item.top() + y), expected);
        QVERIFY2(
            rowColours(e, menucell::Selected, y).contains(rgb(selected.image, x, item.top() + y)),
            qPrintable(QStringLiteral("row %1").arg(y)));
    }
    QVERIFY(rgb(normal.image, x, item.top() + 10) != rgb(selected.image, x, item.top() + 10));

    // Caption inks: menu text, highlight text when selected, button shadow when disabled.
    const QRect caption = item.adjusted(20, 0, -12, 0);
    QVERIFY(countInk(normal.image, caption, ToQColor(skin->MenuTextColor())) > 20);
    QVERIFY(countInk(selected.image, caption, ToQColor(skin->HilightTextColor())) > 20);
    QVERIFY(countInk(disabled.image, caption, ToQColor(skin->ButtonShadowColor())) > 20);
    QCOMPARE(countInk(disabled.image, caption, ToQColor(skin->MenuTextColor())),
             countInk(disabled.background, caption, ToQColor(skin->MenuTextColor())));
    // The caption starts three pixels after the image column.
    const int columnEnd = item.left() + e.LeftWidth + 1 + MenuImageWidth;
    const auto [first, last] = inkColumns(normal.image, item, ToQColor(skin->MenuTextColor()));
    QVERIFY2(first >= columnEnd + MenuCaptionGap && first <= columnEnd + MenuCaptionGap + 2,
             qPrintable(QString::number(first)));
    Q_UNUSED(last);

    // A default item is bold.
    look = itemLook(QStringLiteral("Add &Station"));
    look.isDefault = true;
    const PaintedItem bold = paintItem(*skin, look);
    QVERIFY(countInk(bold.image, caption, ToQColor(skin->MenuTextColor())) >
            countInk(normal.image, caption, ToQColor(skin->MenuTextColor())));
}

void TestMenuPaint::separatorFromSecondFrame() {
    QFETCH(QString, name);
    const auto skin = builtSkin(name);
    const TDataSkinObject& e = *skin->MenuItem();
    TMenuItemLook look;
    look.kind = TMenuItemLook::Separator;
    const PaintedItem sep = paintItem(*skin, look, 8);
    // The separator is the bottom eight rows of frame 2, magenta letting the background show.
    const QRect f = e.FrameRect(menucell::Separator);
    const int x = sep.item.center().x();
    bool drewSomething = false;
    for (int y = 0; y < 8; ++y) {
        const QRgb picture = rgb(e.Image, f.left() + f.width() / 2, f.bottom() - 7 + y);
        const QRgb expected =
            IsSeeThrough(picture) ? rgb(sep.background, x, sep.item.top() + y) : picture;
        QCOMPARE(rgb(sep.image, x, sep.item.top() + y), expected);
        drewSomething |=
            !IsSeeThrough(picture) && picture != rgb(sep.background, x, sep.item.top() + y);
    }
    QVERIFY(drewSomething);
    // The ends are the frame's own end columns.
    for (int y = 0; y < 8; ++y) {
        const QRgb left = rgb(e.Image, f.left(), f.bottom() - 7 + y);
        if (!IsSeeThrough(left))
            QCOMPARE(rgb(sep.image, sep.item.left(), sep.item.top() + y), left);
    }
}

void TestMenuPaint::checkShortcutAndArrow() {
    QFETCH(QString, name);
    const auto skin = builtSkin(name);
    const TDataSkinObject& e = *skin->MenuItem();
    const QColor ink = ToQColor(skin->MenuTextColor());

    TMenuItemLook look = itemLook(QStringLiteral("Use Skins"));
    const PaintedItem plain = paintItem(*skin, look);
    look.checked = true;
    const PaintedItem checked = paintItem(*skin, look);
    const QRect column(plain.item.left() + e.LeftWidth + 1, plain.item.top(), MenuImageWidth,
                       plain.item.height());
    QCOMPARE(countInk(plain.image, column, ink), 0);
    QVERIFY(countInk(checked.image, column, ink) >= 10);
    // The mark is centred in the column.
    const auto [first, last] = inkColumns(checked.image, column, ink);
    QVERIFY(qAbs((first - column.left()) - (column.right() - last)) <= 2);

    // The shortcut is right-aligned and ends 11 pixels before the item's right edge, where a
    // submenu's arrow goes.
    look = itemLook(QStringLiteral("Exit"));
    look.shortcut = QStringLiteral("Ctrl+Q");
    const PaintedItem shortcut = paintItem(*skin, look);
    const QRect right(shortcut.item.right() - 60, shortcut.item.top(), 60, shortcut.item.height());
    const auto [sFirst, sLast] = inkColumns(shortcut.image, right, ink);
    QVERIFY(sFirst > 0);
    const int end = shortcut.item.right() - MenuShortcutEnd;
    QVERIFY2(sLast <= end && sLast >= end - 3, qPrintable(QString::number(sLast)));
    QCOMPARE(countInk(plain.image, right, ink), 0);

    look = itemLook(QStringLiteral("&Skins"));
    look.kind = TMenuItemLook::SubMenu;
    const PaintedItem sub = paintItem(*skin, look);
    const QRect arrow(sub.item.right() - MenuShortcutEnd + 1, sub.item.top(), MenuShortcutEnd,
                      sub.item.height());
    QVERIFY(countInk(sub.image, arrow, ink) >= 8);
}

void TestMenuPaint::rightToLeftItem() {
    const auto skin = builtSkin(QStringLiteral("pebble"));
    const TDataSkinObject& e = *skin->MenuItem();
    const QColor ink = ToQColor(skin->MenuTextColor());
    TMenuItemLook look = itemLook(QStringLiteral("Use Skins"));
    look.checked = true;
    look.shortcut = QStringLiteral("Ctrl+U");
    look.rightToLeft = true;
    const PaintedItem item = paintItem(*skin, look);
    const QRect r = item.item;
    // The check mark in the column at the right, the caption before it, the shortcut at the
    // left ending 11 pixels after the left edge.
    const QRect column(r.right() - e.LeftWidth - MenuImageWidth, r.top(), MenuImageWidth,
                       r.height());
    QVERIFY(countInk(item.image, column, ink) >= 10);
    const auto [first, last] =
        inkColumns(item.image, QRect(r.left(), r.top(), 50, r.height()), ink);
    QVERIFY2(first >= r.left() + MenuShortcutEnd && first <= r.left() + MenuShortcutEnd + 3,
             qPrintable(QString::number(first)));
    Q_UNUSED(last);
    const int captionEnd = column.left() - MenuCaptionGap - 1;
    const auto [cFirst, cLast] =
        inkColumns(item.image,
                   QRect(r.center().x(), r.top(), column.left() - r.center().x(), r.height()), ink);
    Q_UNUSED(cFirst);
    QVERIFY2(cLast <= captionEnd && cLast >= captionEnd - 2, qPrintable(QString::number(cLast)));
}

void TestMenuPaint::imagesAndGlyphs() {
    const auto skin = builtSkin(QStringLiteral("nightfall"));
    const TDataSkinObject& e = *skin->MenuItem();
    // A black cross on a clear ground, as the system menu's glyphs are.
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    {
        QPainter p(&glyph);
        p.fillRect(QRect(2, 7, 12, 2), Qt::black);
        p.fillRect(QRect(7, 2, 2, 12), Qt::black);
    }
    TMenuItemLook look = itemLook(QStringLiteral("&Close"));
    look.image = glyph;
    look.imageWidth = 16;
    const int cx = PopupBorder + e.LeftWidth + 1 + 8;
    const int cy = PopupBorder + 10;
    const PaintedItem plain = paintItem(*skin, look);
    QCOMPARE(rgb(plain.image, cx, cy), qRgb(0, 0, 0) & 0xFFFFFFu);
    // Drawn in the caption's colour when it is a glyph; its clear ground stays clear.
    look.imageIsMask = true;
    const PaintedItem tinted = paintItem(*skin, look);
    QCOMPARE(rgb(tinted.image, cx, cy), rgb(ToQColor(skin->MenuTextColor())));
    QCOMPARE(rgb(tinted.image, cx - 5, cy - 5), rgb(plain.image, cx - 5, cy - 5));
    look.selected = true;
    QCOMPARE(rgb(paintItem(*skin, look).image, cx, cy), rgb(ToQColor(skin->HilightTextColor())));
    // A checked item with an image: the image on a sunken ground, no check mark.
    look = itemLook(QStringLiteral("&Close"));
    look.image = glyph;
    look.imageWidth = 16;
    look.checked = true;
    const PaintedItem checked = paintItem(*skin, look);
    const int left = PopupBorder + e.LeftWidth + 1 + 1;
    QCOMPARE(rgb(checked.image, left, cy), rgb(ToQColor(SystemColour(COLOR_BTNSHADOW))));
    QCOMPARE(rgb(checked.image, cx, cy), qRgb(0, 0, 0) & 0xFFFFFFu);
}

void TestMenuPaint::flatSkinFallsBack() {
    const auto skin = flatSkin();
    QVERIFY(!skin->Loading());
    QVERIFY(!skin->MenuBar() && !skin->MenuItem() && !skin->MenuBackground());

    // The bar: a flat band in the menu bar colour, items from 6.
    const QImage band = MenuBandImage(*skin, QSize(200, 20), true);
    QCOMPARE(rgb(band, 0, 0), qRgb(10, 20, 30) & 0xFFFFFFu);
    QCOMPARE(rgb(band, 199, 19), qRgb(10, 20, 30) & 0xFFFFFFu);
    QCOMPARE(MenuBarItemStart(skin->MenuBar(), 200, false), 6);

    // Popups keep the system look: no background of the skin.
    QVERIFY(!HasMenuBackground(*skin));
    QVERIFY(PopupBackground(*skin, QSize(100, 100)).isNull());

    // Items flat: the menu colour, the highlight colour when selected, inks as ever.
    TMenuItemLook look = itemLook(QStringLiteral("Delete"));
    const PaintedItem normal = paintItem(*skin, look);
    look.selected = true;
    const PaintedItem selected = paintItem(*skin, look);
    const int x = normal.item.right() - 20;
    QCOMPARE(rgb(normal.image, x, normal.item.top()), qRgb(200, 210, 220) & 0xFFFFFFu);
    QCOMPARE(rgb(selected.image, x, selected.item.top()), qRgb(40, 50, 160) & 0xFFFFFFu);
    QCOMPARE(rgb(selected.image, selected.item.left(), selected.item.bottom()),
             qRgb(40, 50, 160) & 0xFFFFFFu);
    QVERIFY(countInk(normal.image, normal.item, QColor(1, 2, 3)) > 10);
    QVERIFY(countInk(selected.image, selected.item, QColor(250, 250, 240)) > 10);

    // A separator: an etched line 4 pixels below the item's top on the menu colour.
    look = TMenuItemLook();
    look.kind = TMenuItemLook::Separator;
    const PaintedItem sep = paintItem(*skin, look, 8);
    const int top = sep.item.top();
    QCOMPARE(rgb(sep.image, x, top + 4), rgb(ToQColor(SystemColour(COLOR_BTNSHADOW))));
    QCOMPARE(rgb(sep.image, x, top + 5), rgb(ToQColor(SystemColour(COLOR_BTNHIGHLIGHT))));
    for (int y : {0, 1, 2, 3, 6, 7})
        QCOMPARE(rgb(sep.image, x, top + y), qRgb(200, 210, 220) & 0xFFFFFFu);
}

void TestMenuPaint::disabledInkWhenShadowIsTextColour() {
    // A skin whose shadow colour is its menu text colour would hide the difference: the
    // system's shadow colour is taken instead.
    TMenuItemLook look = itemLook(QStringLiteral("Edit"));
    look.enabled = false;
    QCOMPARE(MenuItemTextColour(*flatSkin(), look), QColor(90, 91, 92));
    QCOMPARE(MenuItemTextColour(*flatSkin(RGBColour(1, 2, 3)), look),
             ToQColor(SystemColour(COLOR_BTNSHADOW)));
    look.enabled = true;
    QCOMPARE(MenuItemTextColour(*flatSkin(RGBColour(1, 2, 3)), look), QColor(1, 2, 3));
}

QTEST_MAIN(TestMenuPaint)
#include "test_menupaint.moc"
