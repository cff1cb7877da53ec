// The skinned window frame: its geometry as values (border sizes, which caption buttons show
// and where, the caption text and its ellipsis, what lies under a point) and its pictures (the
// composed frame read back against the skin's own cells, the outline of see-through corners).

#include "tests/frame/FrameTestSkin.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FrameOutline.h"
#include "skin/draw/FramePaint.h"

#include <QFont>
#include <QTest>

using namespace orvik;
using frametest::ButtonSpec;

namespace {

std::unique_ptr<TSkinData> builtSkin(const QString& name) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
    return skin;
}

TFrameState window(int w, int h, bool active = true) {
    TFrameState s;
    s.size = QSize(w, h);
    s.active = active;
    return s;
}

QFont captionFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setStyleStrategy(QFont::NoAntialias); // ink pixels carry the title colour exactly
    return f;
}

QRgb rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFFu;
}
QRgb rgb(const QColor& c) {
    return c.rgb() & 0xFFFFFFu;
}

const QList<ButtonSpec> everyAlign{
    {"BUTTONLEFT", 3, 0, 5, 3, 0},     {"BUTTONRIGHT", 0, 1, 30, 4, 0},
    {"BUTTONBEFORE", 40, 2, 4, 5, 0},  {"BUTTONAFTER", 41, 3, 6, 6, 0},
    {"BUTTONBEFORE8", 42, 8, 1, 7, 0}, {"BUTTONAFTER9", 43, 9, 2, 8, 0}};

} // namespace

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void borderSizesFollowTheFrameKind();
    void visibilityCodes_data();
    void visibilityCodes();
    void buttonsArePlacedByTheirAlign();
    void captionTextIsPlacedAndCut();
    void hitTestingNamesEdgesButtonsAndCaption();
    void composedFrameShowsTheSkinsCells();
    void buttonsShowTheirStateCells();
    void outlineLeavesSeeThroughCornersOut();
    void outlineIsCachedUntilTheSizeChanges();
};

void TestFrame::borderSizesFollowTheFrameKind() {
    const auto skin = frametest::makeSkin({});
    QVERIFY(!skin->Loading());
    for (TBorderKind kind : {TBorderKind::Sizeable, TBorderKind::Single, TBorderKind::Dialog})
        QCOMPARE(BorderSizes(*skin, kind), (TBorderSizes{6, 24, 5, 3}));
    QCOMPARE(BorderSizes(*skin, TBorderKind::None), TBorderSizes{});
    // A window without caption has no buttons and a client area that is the whole window.
    const TFrameState none = [] {
        TFrameState s = window(200, 100);
        s.kind = TBorderKind::None;
        return s;
    }();
    const auto withButtons = frametest::makeSkin(everyAlign);
    const TFrameLayout layout = LayoutFrame(*withButtons, none, "Orvik", captionFont(), true);
    QVERIFY(layout.buttons.isEmpty());
    QCOMPARE(layout.Client(), QRect(0, 0, 200, 100));
    // Lagoon's sizeable border is wider than 4 pixels, its title bar taller than 26.
    const auto lagoon = builtSkin("lagoon");
    const TBorderSizes l = BorderSizes(*lagoon, TBorderKind::Sizeable);
    QVERIFY(l.left > 4 && l.right > 4 && l.bottom > 4 && l.title > 26);
}

void TestFrame::visibilityCodes_data() {
    QTest::addColumn<int>("visibility");
    QTest::addColumn<int>("visibility1");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("frameRules");
    QTest::addColumn<bool>("captionRules");
    // window: m maximised, i inactive, s no system menu, x no maximise box, n no minimise box,
    // d dialog frame, c dialog class, k child maximised with a menu bar
    QTest::newRow("0 always") << 0 << 0 << 40 << "" << true << true;
    QTest::newRow("1 maximised, normal window") << 1 << 0 << 40 << "" << false << false;
    QTest::newRow("1 maximised") << 1 << 0 << 40 << "m" << true << true;
    QTest::newRow("2 not maximised") << 2 << 0 << 40 << "m" << false << false;
    QTest::newRow("3 active, inactive window") << 3 << 0 << 40 << "i" << false << false;
    QTest::newRow("4 inactive") << 4 << 0 << 40 << "i" << true << true;
    QTest::newRow("6 needs the system menu") << 6 << 0 << 40 << "s" << false << false;
    QTest::newRow("6 in the second code does not") << 0 << 6 << 40 << "s" << true << true;
    QTest::newRow("7 no maximise box") << 7 << 0 << 40 << "x" << true << true;
    QTest::newRow("8 minimise box") << 8 << 0 << 40 << "n" << false << false;
    QTest::newRow("9 no minimise box") << 9 << 9 << 40 << "" << false << false;
    QTest::newRow("10 hidden") << 10 << 0 << 40 << "" << false << false;
    QTest::newRow("100 child buttons") << 100 << 100 << 40 << "k" << true << true;
    QTest::newRow("100 without child") << 100 << 100 << 40 << "" << false << false;
    QTest::newRow("200 dialog frame") << 200 << 0 << 40 << "d" << true << true;
    QTest::newRow("200 dialog class") << 200 << 0 << 40 << "dc" << false << true;
    QTest::newRow("200 plain window") << 200 << 0 << 40 << "" << false << true;
    QTest::newRow("500 always") << 500 << 0 << 40 << "" << true << true;
    QTest::newRow("1500 asks: yes for 1500") << 1500 << 0 << 40 << "" << true << true;
    QTest::newRow("1501 asks: no") << 1501 << 0 << 40 << "" << false << true;
    QTest::newRow("2001 hidden") << 2001 << 0 << 40 << "" << false << false;
    QTest::newRow("second code 2000") << 0 << 2000 << 40 << "" << true << true;
    QTest::newRow("second code 2001") << 0 << 2001 << 40 << "" << false << false;
    QTest::newRow("negative never") << -1 << 0 << 40 << "" << false << false;
    QTest::newRow("close without system menu") << 0 << 0 << 0 << "s" << false << false;
    QTest::newRow("close, code 500, no system menu") << 500 << 0 << 0 << "s" << false << true;
    QTest::newRow("maximise without the box") << 0 << 0 << 1 << "x" << false << false;
    QTest::newRow("restore alt without the box") << 0 << 0 << 22 << "x" << false << false;
    QTest::newRow("minimise without the box") << 0 << 0 << 23 << "n" << false << false;
    QTest::newRow("system menu on a dialog frame") << 0 << 0 << 12 << "d" << false << false;
    QTest::newRow("system menu elsewhere") << 0 << 0 << 12 << "" << true << true;
}

void TestFrame::visibilityCodes() {
    QFETCH(int, visibility);
    QFETCH(int, visibility1);
    QFETCH(int, action);
    QFETCH(QString, window);
    QFETCH(bool, frameRules);
    QFETCH(bool, captionRules);
    TDataSkinSysButton b;
    b.Visibility = visibility;
    b.Visibility1 = visibility1;
    b.Action = action;
    TFrameState s = ::window(300, 200);
    s.maximised = window.contains('m');
    s.active = !window.contains('i');
    s.systemMenu = !window.contains('s');
    s.maximiseBox = !window.contains('x');
    s.minimiseBox = !window.contains('n');
    s.kind = window.contains('d') ? TBorderKind::Dialog : TBorderKind::Sizeable;
    s.dialogClass = window.contains('c');
    s.childMaximised = window.contains('k');
    s.menuHeight = window.contains('k') ? 20 : 0;
    QList<QPair<int, int>> asked;
    const TAskButtonVisible ask = [&asked](int code, int act) {
        asked.append({code, act});
        return code == 1500;
    };
    QCOMPARE(ButtonVisible(b, s, TButtonRules::Frame, ask), frameRules);
    QCOMPARE(ButtonVisible(b, s, TButtonRules::Caption, ask), captionRules);
    if (visibility >= 1000 && visibility <= 2000) // only the frame asks, with the action
        QCOMPARE(asked, (QList<QPair<int, int>>{{visibility, action}}));
    else
        QVERIFY(asked.isEmpty());
}

void TestFrame::buttonsArePlacedByTheirAlign() {
    const auto skin = frametest::makeSkin(everyAlign);
    QVERIFY(!skin->Loading());
    const TFrameState s = window(400, 200);
    const QRect text(100, 0, 120, 24); // ends at x = 220
    const auto places = CaptionButtonPlaces(*skin, s, text, TButtonRules::Caption);
    QCOMPARE(places.size(), 6);
    const int w = frametest::ButtonW, h = frametest::ButtonH;
    const QList<QRect> expected{QRect(5, 3, w, h),           QRect(400 - 30, 4, w, h),
                                QRect(100 - w - 4, 5, w, h), QRect(220 + 6, 6, w, h),
                                QRect(100 - w - 1, 7, w, h), QRect(220 + 2, 8, w, h)};
    for (int i = 0; i < places.size(); ++i) {
        QCOMPARE(places[i].index, i);
        QCOMPARE(places[i].rect, expected[i]);
    }
    // Without caption text the text's ends count as 0.
    const auto bare = CaptionButtonPlaces(*skin, s, QRect(), TButtonRules::Frame);
    QCOMPARE(bare[2].rect.left(), -w - 4);
    QCOMPARE(bare[3].rect.left(), 6);
    QCOMPARE(HotTrackWidth(*skin, s, TButtonRules::Frame), 370);

    // The child-window buttons of a built skin go into the menu bar of a maximised child.
    const auto nightfall = builtSkin("nightfall");
    TFrameState parent = window(600, 400);
    parent.childMaximised = true;
    parent.menuHeight = 20;
    const TBorderSizes b = BorderSizes(*nightfall, TBorderKind::Sizeable);
    int inBar = 0;
    for (const TCaptionButtonPlace& p :
         CaptionButtonPlaces(*nightfall, parent, {}, TButtonRules::Frame)) {
        if (p.button->Align != align::ChildInMenuBar)
            continue;
        ++inBar;
        QCOMPARE(p.rect.top(), b.title + (20 - p.rect.height()) / 2);
        QCOMPARE(p.rect.left(), 600 - p.button->Xcoord - b.right - nightfall->MenuBar()->LeftWidth);
    }
    QCOMPARE(inBar, 3);
}

void TestFrame::captionTextIsPlacedAndCut() {
    const QFont font = captionFont();
    const int w = 400;
    // Left: at the text shift; grown by the plate's ends; the title bar's full height.
    const auto left = frametest::makeSkin({}, false, 0);
    QCOMPARE(CaptionTextRect(*left, window(w, 200), 100, 0), QRect(40, 0, 106, 24));
    TFrameState dialog = window(w, 200);
    dialog.kind = TBorderKind::Dialog;
    QCOMPARE(CaptionTextRect(*left, dialog, 100, 0).left(), 24);
    TFrameState rtl = window(w, 200);
    rtl.rightToLeft = true;
    QCOMPARE(CaptionTextRect(*left, rtl, 100, 0), QRect(w - 50 - 106, 0, 106, 24));
    // Centred, and a centred text too wide for the middle starts after the room at the left.
    const auto centred = frametest::makeSkin({}, false, 1);
    QCOMPARE(CaptionTextRect(*centred, window(w, 200), 100, 0), QRect(147, 0, 106, 24));
    QCOMPARE(CaptionTextRect(*centred, window(w, 200), 380, 0), QRect(40, 0, w - 50 - 40, 24));
    const auto right = frametest::makeSkin({}, false, 2);
    QCOMPARE(CaptionTextRect(*right, window(w, 200), 100, 0), QRect(w - 50 - 106, 0, 106, 24));
    // A popup-style window ends the text 5 pixels before the first right-aligned button.
    TFrameState popup = window(w, 200);
    popup.popupStyle = true;
    QCOMPARE(CaptionTextRect(*left, popup, 500, 300).right(), 300 - 5 - 1);

    // A long title ends with an ellipsis before the room kept for the buttons; a short one
    // is whole, with its spaces.
    const QString longTitle = QStringLiteral("Orvik - a very long station name ").repeated(4);
    const TFrameLayout cut = LayoutFrame(*left, window(w, 200), longTitle, font, true);
    QCOMPARE(cut.text.right(), w - 50 - 1);
    QVERIFY2(cut.elidedCaption.endsWith(QChar(0x2026)), qPrintable(cut.elidedCaption));
    QVERIFY(QFontMetrics(font).horizontalAdvance(cut.elidedCaption) <= cut.text.width() - 6);
    QCOMPARE(cut.textShiftY, 2);
    const TFrameLayout whole = LayoutFrame(*left, window(w, 200), "Orvik", font, true);
    QCOMPARE(whole.elidedCaption, QStringLiteral(" Orvik  "));
    // The caption painter switched off: no text, and the frame's own rules.
    const TFrameLayout off = LayoutFrame(*left, window(w, 200), "Orvik", font, false);
    QVERIFY(off.text.isEmpty());
    QVERIFY(off.elidedCaption.isEmpty());
    QVERIFY(LayoutFrame(*left, window(w, 200), "   ", font, true).text.isEmpty());
}

void TestFrame::hitTestingNamesEdgesButtonsAndCaption() {
    const auto skin = frametest::makeSkin(everyAlign);
    const TFrameLayout l = LayoutFrame(*skin, window(400, 300), "Orvik", captionFont(), true);
    auto at = [&l](int x, int y) { return HitTest(l, QPoint(x, y)); };
    QCOMPARE(at(200, 150).part, THitPart::Client);
    QCOMPARE(at(200, 12).part, THitPart::Caption);
    QCOMPARE(at(200, 2).part, THitPart::Top);
    QCOMPARE(at(2, 150).part, THitPart::Left);
    QCOMPARE(at(397, 150).part, THitPart::Right);
    QCOMPARE(at(200, 298).part, THitPart::Bottom);
    QCOMPARE(at(1, 1).part, THitPart::TopLeft);
    QCOMPARE(at(10, 1).part, THitPart::TopLeft);
    QCOMPARE(at(2, 12).part, THitPart::TopLeft);
    QCOMPARE(at(398, 2).part, THitPart::TopRight);
    QCOMPARE(at(3, 295).part, THitPart::BottomLeft);
    QCOMPARE(at(390, 299).part, THitPart::BottomRight);
    QCOMPARE(at(-1, 5).part, THitPart::Nowhere);
    QCOMPARE(at(400, 5).part, THitPart::Nowhere);
    // The buttons: the system menu (action 3) is the icon, the close button a button.
    QCOMPARE(at(6, 4), (THit{THitPart::Icon, 0}));
    QCOMPARE(at(371, 5), (THit{THitPart::Button, 1}));
    QCOMPARE(ResizeEdges(THitPart::TopLeft), Qt::TopEdge | Qt::LeftEdge);
    QCOMPARE(ResizeEdges(THitPart::Caption), Qt::Edges());

    // Maximised or of another kind: the borders do not resize.
    for (TBorderKind kind : {TBorderKind::Single, TBorderKind::Dialog}) {
        TFrameState s = window(400, 300);
        s.kind = kind;
        const TFrameLayout fixed = LayoutFrame(*skin, s, "Orvik", captionFont(), true);
        QCOMPARE(HitTest(fixed, QPoint(2, 150)).part, THitPart::Border);
        QCOMPARE(HitTest(fixed, QPoint(200, 2)).part, THitPart::Caption);
    }
    TFrameState max = window(400, 300);
    max.maximised = true;
    max.menuHeight = 20;
    const TFrameLayout big = LayoutFrame(*skin, max, "Orvik", captionFont(), true);
    QCOMPARE(HitTest(big, QPoint(1, 1)).part, THitPart::Caption);
    QCOMPARE(HitTest(big, QPoint(200, 30)).part, THitPart::Menu);
    QCOMPARE(big.Client(), QRect(6, 44, 400 - 11, 300 - 47));
}

void TestFrame::composedFrameShowsTheSkinsCells() {
    using namespace frametest;
    const auto skin = makeSkin(everyAlign);
    for (bool active : {true, false}) {
        const TFrameLayout l =
            LayoutFrame(*skin, window(400, 300, active), "Orvik", captionFont(), true);
        TFrameComposer composer;
        const QImage& image = composer.Compose(*skin, l, captionFont());
        QCOMPARE(image.size(), QSize(400, 300));
        const QString what = active ? "active" : "inactive";
        QVERIFY2(rgb(image, {0, 150}) == rgb(active ? LeftActive : LeftInactive), qPrintable(what));
        QVERIFY2(rgb(image, {0, 0}) == rgb(active ? LeftActive : LeftInactive), qPrintable(what));
        QVERIFY2(rgb(image, {5, 299}) == rgb(active ? LeftActive : LeftInactive), qPrintable(what));
        QVERIFY2(rgb(image, {399, 0}) == rgb(active ? RightActive : RightInactive),
                 qPrintable(what));
        QVERIFY2(rgb(image, {395, 299}) == rgb(active ? RightActive : RightInactive),
                 qPrintable(what));
        QVERIFY2(rgb(image, {6, 299}) == rgb(active ? BottomActive : BottomInactive),
                 qPrintable(what));
        QVERIFY2(rgb(image, {394, 297}) == rgb(active ? BottomActive : BottomInactive),
                 qPrintable(what));
        QVERIFY2(rgb(image, {300, 23}) == rgb(active ? TopActive : TopInactive), qPrintable(what));
        // The plate under the caption text, and the text in the title colour on it.
        QVERIFY(l.text.width() > 6);
        QVERIFY2(rgb(image, {l.text.left(), 1}) == rgb(active ? PlateActive : PlateInactive),
                 qPrintable(what));
        const QColor ink = active ? QColor(255, 255, 255) : QColor(0, 0, 0);
        int inked = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = l.text.left(); x <= l.text.right(); ++x)
                inked += rgb(image, {x, y}) == rgb(ink);
        QVERIFY2(inked > 10, qPrintable(what));
        // The inside stays see-through.
        QCOMPARE(qAlpha(image.pixel(200, 150)), 0);
    }
    // Without the caption painter the title bar holds no plate and no text.
    const TFrameLayout off = LayoutFrame(*skin, window(400, 300), "Orvik", captionFont(), false);
    TFrameComposer composer;
    const QImage& plain = composer.Compose(*skin, off, captionFont());
    for (int x = 100; x < 200; ++x)
        QVERIFY(rgb(plain, {x, 12}) == rgb(TopActive));
}

void TestFrame::buttonsShowTheirStateCells() {
    using namespace frametest;
    const auto skin = makeSkin(everyAlign);
    TFrameComposer composer;
    const TFrameLayout active = LayoutFrame(*skin, window(400, 300), "Orvik", captionFont(), true);
    const TFrameLayout inactive =
        LayoutFrame(*skin, window(400, 300, false), "Orvik", captionFont(), true);
    const QPoint closeAt = active.buttons[1].rect.center();
    struct Case {
        const TFrameLayout* layout;
        TButtonLook look;
        int cell;
    } cases[] = {{&active, TButtonLook::Idle, captioncell::Normal},
                 {&active, TButtonLook::Hot, captioncell::Hot},
                 {&active, TButtonLook::Pressed, captioncell::Pressed},
                 {&inactive, TButtonLook::Idle, captioncell::Inactive}};
    for (const Case& c : cases) {
        TFrameLook look;
        look.hotButton = 1;
        look.hotLook = c.look;
        const QImage& image = composer.Compose(*skin, *c.layout, captionFont(), look);
        QCOMPARE(rgb(image, closeAt), rgb(ButtonCells[c.cell - 1]));
        // The other buttons stay idle.
        QCOMPARE(
            rgb(image, c.layout->buttons[3].rect.center()),
            rgb(ButtonCells[(c.layout == &active ? captioncell::Normal : captioncell::Inactive) -
                            1]));
    }
    // A window icon replaces the system menu button's picture.
    TFrameLook withIcon;
    withIcon.icon = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
    withIcon.icon.fill(QColor(1, 2, 3));
    const QImage& iconed = composer.Compose(*skin, active, captionFont(), withIcon);
    QCOMPARE(rgb(iconed, active.buttons[0].rect.topLeft()), qRgb(1, 2, 3) & 0xFFFFFFu);
}

void TestFrame::outlineLeavesSeeThroughCornersOut() {
    // Lagoon's round corners: outside the outline, and fully transparent in the picture.
    const auto lagoon = builtSkin("lagoon");
    QVERIFY(!lagoon->Loading());
    for (QSize size : {QSize(640, 480), QSize(1280, 800)}) {
        const TFrameState s = window(size.width(), size.height());
        const QRegion outline = FrameOutline(*lagoon, s);
        const int w = size.width(), h = size.height();
        for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1),
                              QPoint(w - 1, h - 1), QPoint(1, 1), QPoint(w - 2, h - 2)})
            QVERIFY2(!outline.contains(corner),
                     qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        for (QPoint inside : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2),
                              QPoint(w / 2, h - 1), QPoint(w / 2, h / 2), QPoint(20, 20)})
            QVERIFY2(outline.contains(inside),
                     qPrintable(QStringLiteral("%1,%2").arg(inside.x()).arg(inside.y())));
        const TFrameLayout l = LayoutFrame(*lagoon, s, "Orvik", captionFont(), true);
        TFrameComposer composer;
        const QImage& image = composer.Compose(*lagoon, l, captionFont());
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(w - 1, h - 1)), 0);
        QCOMPARE(qAlpha(image.pixel(w / 2, 0)), 255);
        // What the outline leaves out is exactly what the picture leaves transparent.
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                QCOMPARE(outline.contains(QPoint(x, y)), qAlpha(image.pixel(x, y)) != 0);
    }
    // A skin without see-through parts is the plain rectangle; so is a hand-made skin whose only
    // magenta pixel sits in a part with the flag: it is cut out, nothing else.
    const auto opaque = frametest::makeSkin({});
    QCOMPARE(FrameOutline(*opaque, window(300, 200)), QRegion(0, 0, 300, 200));
    const auto cut = frametest::makeSkin({}, true);
    QCOMPARE(FrameOutline(*cut, window(300, 200)), QRegion(0, 0, 300, 200) - QRegion(0, 0, 1, 1));
    TFrameState none = window(300, 200);
    none.kind = TBorderKind::None;
    QCOMPARE(FrameOutline(*cut, none), QRegion(0, 0, 300, 200));
}

void TestFrame::outlineIsCachedUntilTheSizeChanges() {
    const auto lagoon = builtSkin("lagoon");
    TOutlineCache cache;
    const QRegion first = cache.Get(*lagoon, window(500, 400));
    QVERIFY(cache.LastWasRebuilt());
    QCOMPARE(cache.Get(*lagoon, window(500, 400)), first);
    QVERIFY(!cache.LastWasRebuilt());
    const QRegion wider = cache.Get(*lagoon, window(600, 400));
    QVERIFY(cache.LastWasRebuilt());
    QVERIFY(wider != first);
    QVERIFY(wider.contains(QPoint(550, 200)));
    // Another skin is another outline at the same size.
    const auto pebble = builtSkin("pebble");
    cache.Get(*pebble, window(600, 400));
    QVERIFY(cache.LastWasRebuilt());
}

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
