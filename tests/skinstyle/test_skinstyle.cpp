// The control families of the skin style painted into images from hand-made style options and
// from real widgets, sampled against the cells of our skins; the factory's rules; giving the
// system look back; and the contrast of the text each family draws in every built-in skin.

#include "tests/skindata/SkinTestKit.h"
#include "tests/skinparts/PartsKit.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/controls/SkinAttach.h"
#include "skin/draw/controls/SkinControl.h"
#include "skin/draw/controls/SkinFactory.h"
#include "skin/draw/style/ButtonFamily.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <memory>

using namespace orvik;
using namespace orvik::style;

namespace {

const QStringList BuiltIn{"nightfall", "pebble", "ember", "lagoon"};

std::unique_ptr<TSkinData> builtSkin(const QString& name) {
    auto skin = std::make_unique<TSkinData>();
    skin->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
    skin->SetSkinControls(TSkinControls::all());
    return skin;
}

// A skin with colours and push buttons only: no combo, check or group pictures.
std::unique_ptr<TSkinData> plainSkin() {
    skintest::PackageRecipe recipe;
    recipe.definition = QStringList{"[Buttons]", "Bitmap=b.bmp", "[Colours]",
                                    "ButtonFace=200 200 200", "ButtonShadow=90 91 92"};
    recipe.pictures.append(
        {QStringLiteral("b.bmp"),
         skintest::strip(10, 10, {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan})});
    auto skin = std::make_unique<TSkinData>();
    skintest::loadInto(*skin, recipe);
    skin->SetSkinControls(TSkinControls::all());
    return skin;
}

QFont crispFont(int pixels = 12) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QRgb rgb(QRgb p) {
    return p & 0xFFFFFFu;
}
QRgb rgb(const QColor& c) {
    return c.rgb() & 0xFFFFFFu;
}

QImage canvas(const QSize& size, const QColor& fill = Qt::black) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// What a frame copied 1:1 over the face colour looks like at (x, y) of the frame.
QRgb cellPixel(const QImage& picture, const QRect& frame, int x, int y, const QColor& under) {
    const QRgb p = picture.pixel(frame.left() + x, frame.top() + y);
    return IsSeeThrough(p) ? rgb(under) : rgb(p);
}

// Pixels of the image that differ from the frame copied 1:1 over `under`.
int differences(const QImage& image, const QImage& picture, const QRect& frame,
                const QColor& under) {
    int n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            n += rgb(image.pixel(x, y)) != cellPixel(picture, frame, x, y, under);
    return n;
}

QImage paintButton(const TSkinStyle& style, QStyle::State state, const QSize& size,
                   const QString& text = QString()) {
    QStyleOptionButton opt;
    opt.rect = QRect(QPoint(0, 0), size);
    opt.state = state;
    opt.text = text;
    opt.palette = QApplication::palette();
    QImage image = canvas(size);
    QPainter p(&image);
    p.setFont(crispFont());
    style.drawControl(QStyle::CE_PushButton, &opt, &p, nullptr);
    return image;
}

int countInk(const QImage& image, const QColor& ink) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += rgb(image.pixel(x, y)) == rgb(ink);
    return n;
}

// Bands of consecutive rows holding ink.
int inkBands(const QImage& image, const QColor& ink) {
    int bands = 0;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        bool any = false;
        for (int x = 0; x < image.width() && !any; ++x)
            any = rgb(image.pixel(x, y)) == rgb(ink);
        if (any && !inside)
            ++bands;
        inside = any;
    }
    return bands;
}

double luminance(const QColor& c) {
    auto lin = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The least contrast of ink against any pixel of the region of an image.
double leastContrast(const QImage& image, const QRect& region, const QColor& ink) {
    double least = 100;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            least = std::min(least, contrast(ink, QColor(image.pixel(x, y))));
    return least;
}

} // namespace

// A group of radio buttons of some library, known by its class name.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
};

class TestSkinStyle : public QObject {
    Q_OBJECT
private slots:
    void cellsFollowTheState();
    void buttonFramesPerState();
    void disabledButtonShowsShadowText();
    void doubleBarBreaksTheCaption();
    void checkAndRadioGlyphs();
    void comboUsesTheCompositeOrTheSystem();
    void editBorderIsFlat();
    void spinButtonsFromUpDown();
    void groupBoxOutline();
    void factoryRules();
    void skinEnableAndDetach();
    void realWidgetsAreSkinned();
    void sheetSetAsideAndLateControls();
    void textContrastInEveryBuiltInSkin();
};

void TestSkinStyle::cellsFollowTheState() {
    TControlState s;
    QCOMPARE(ButtonCell(s), buttoncell::Normal);
    s.focused = true;
    QCOMPARE(ButtonCell(s), buttoncell::Default);
    s.hot = true;
    QCOMPARE(ButtonCell(s), buttoncell::Hot);
    s.pressed = true;
    QCOMPARE(ButtonCell(s), buttoncell::Pressed);
    s.enabled = false;
    QCOMPARE(ButtonCell(s), buttoncell::Disabled);
    QCOMPARE(ComboCell(s), combocell::Disabled);

    // Check boxes: four frames, and twelve.
    TControlState c;
    QCOMPARE(CheckCell(c, 4), 1);
    c.checked = true;
    QCOMPARE(CheckCell(c, 4), 2);
    QCOMPARE(CheckCell(c, 12), 5);
    c.enabled = false;
    QCOMPARE(CheckCell(c, 4), 4);
    QCOMPARE(CheckCell(c, 12), 8);
    c.checked = false;
    QCOMPARE(CheckCell(c, 4), 3);
    QCOMPARE(CheckCell(c, 12), 4);
    c.mixed = true;
    QCOMPARE(CheckCell(c, 12), 12);
    QCOMPARE(CheckCell(c, 4), 4);
    c.enabled = true;
    QCOMPARE(CheckCell(c, 12), 9);
    // Radio buttons: four frames, and eight.
    TControlState r;
    r.checked = true;
    QCOMPARE(RadioCell(r, 4), 2);
    QCOMPARE(RadioCell(r, 8), 5);
    r.enabled = false;
    QCOMPARE(RadioCell(r, 4), 4);
    QCOMPARE(RadioCell(r, 8), 8);
    r.checked = false;
    QCOMPARE(RadioCell(r, 8), 4);

    // The counts read from the pictures when the skin does not give them.
    TDataSkinButton b;
    b.CheckImage = skintest::solid(13 * 12, 13, Qt::white);
    b.RadioImage = skintest::solid(13 * 4, 13, Qt::white);
    QCOMPARE(CheckFrames(b), 12);
    QCOMPARE(RadioFrames(b), 4);
    b.CheckFrames = 4;
    QCOMPARE(CheckFrames(b), 4);
}

void TestSkinStyle::buttonFramesPerState() {
    for (const QString& name : {QStringLiteral("ember"), QStringLiteral("pebble")}) {
        auto skin = builtSkin(name);
        QVERIFY(!skin->Loading());
        TSkinStyle style(skin.get());
        const TDataSkinButton& b = *skin->Buttons();
        const QSize size = b.FrameSize();
        const QColor face = FaceColour(*skin);
        const QStyle::State on = QStyle::State_Enabled;
        const QList<QPair<QStyle::State, int>> states{
            {on, buttoncell::Normal},
            {on | QStyle::State_Sunken, buttoncell::Pressed},
            {QStyle::State_None, buttoncell::Disabled},
            {QStyle::State_MouseOver | QStyle::State_None, buttoncell::Disabled},
            {on | QStyle::State_MouseOver, buttoncell::Hot},
            {on | QStyle::State_HasFocus, buttoncell::Default}};
        for (const auto& [state, cell] : states) {
            const QImage image = paintButton(style, state, size);
            QCOMPARE(differences(image, b.Image, b.FrameRect(cell), face), 0);
        }
    }
}

void TestSkinStyle::disabledButtonShowsShadowText() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    const QColor shadow = SkinColour(skin->ButtonShadowColor());
    const QImage disabled = paintButton(style, QStyle::State_MouseOver, QSize(90, 30), "Stop");
    QVERIFY(countInk(disabled, shadow) > 10);
    QCOMPARE(ButtonTextColour(*skin, buttoncell::Disabled), shadow);
    // Enabled, the caption takes the element's second colour.
    QVERIFY(skin->Buttons()->HasNormalColour2);
    QCOMPARE(ButtonTextColour(*skin, buttoncell::Normal),
             SkinColour(skin->Buttons()->NormalColour2));
    // A disabled real button does not react to the mouse: it stays in frame 3.
    QWidget window;
    window.resize(200, 100);
    auto* button = new QPushButton(QStringLiteral("Stop"), &window);
    button->setGeometry(10, 10, 90, 30);
    button->setEnabled(false);
    QCOMPARE(AttachSkinControls(&window, *skin) >= 1, true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The pointer over it (set directly: moving the shared display's pointer would reach the
    // windows of other tests).
    button->setAttribute(Qt::WA_UnderMouse);
    const QImage grabbed = button->grab().toImage();
    const TDataSkinButton& b = *skin->Buttons();
    const QRect f = b.FrameRect(buttoncell::Disabled);
    // A pixel of the left edge half way down matches the disabled frame's.
    QCOMPARE(rgb(grabbed.pixel(2, 15)),
             cellPixel(b.Image, f, 2, f.height() / 2, FaceColour(*skin)));
}

void TestSkinStyle::doubleBarBreaksTheCaption() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    const QColor ink = ButtonTextColour(*skin, buttoncell::Normal);
    QCOMPARE(inkBands(paintButton(style, QStyle::State_Enabled, QSize(90, 50), "Play||Stop"), ink),
             2);
    QCOMPARE(inkBands(paintButton(style, QStyle::State_Enabled, QSize(90, 50), "Play Stop"), ink),
             1);
}

void TestSkinStyle::checkAndRadioGlyphs() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    const TDataSkinButton& b = *skin->Buttons();
    const QColor under(1, 2, 3);
    struct Case {
        QStyle::PrimitiveElement pe;
        QStyle::State state;
        int cell;
    };
    const QStyle::State on = QStyle::State_Enabled;
    const QList<Case> cases{
        {QStyle::PE_IndicatorCheckBox, on | QStyle::State_Off, 1},
        {QStyle::PE_IndicatorCheckBox, on | QStyle::State_On, 5},
        {QStyle::PE_IndicatorCheckBox, on | QStyle::State_On | QStyle::State_MouseOver, 6},
        {QStyle::PE_IndicatorCheckBox, on | QStyle::State_NoChange, 9},
        {QStyle::PE_IndicatorCheckBox, QStyle::State_On, 8},
        {QStyle::PE_IndicatorRadioButton, on | QStyle::State_Off, 1},
        {QStyle::PE_IndicatorRadioButton, on | QStyle::State_On, 5},
        {QStyle::PE_IndicatorRadioButton, QStyle::State_Off, 4},
    };
    for (const Case& c : cases) {
        const bool radio = c.pe == QStyle::PE_IndicatorRadioButton;
        const QImage& strip = radio ? b.RadioImage : b.CheckImage;
        const int frames = radio ? RadioFrames(b) : CheckFrames(b);
        const QRect f = FrameRect(strip.size(), frames, c.cell);
        QStyleOptionButton opt;
        opt.state = c.state;
        opt.rect = QRect(QPoint(0, 0), f.size());
        QImage image = canvas(f.size(), under);
        QPainter p(&image);
        style.drawPrimitive(c.pe, &opt, &p, nullptr);
        p.end();
        QCOMPARE(differences(image, strip, f, under), 0);
    }
    // The indicator takes the size of the glyph.
    QCOMPARE(style.pixelMetric(QStyle::PM_IndicatorWidth), b.CheckImage.height());
    QCOMPARE(style.pixelMetric(QStyle::PM_ExclusiveIndicatorHeight), b.RadioImage.height());
}

void TestSkinStyle::comboUsesTheCompositeOrTheSystem() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    const TDataSkinObject& combo = *skin->ComboButton();
    const QSize size = combo.FrameSize();
    const QColor base(9, 9, 9);
    for (const bool rtl : {false, true}) {
        const TDataSkinObject& strip = rtl ? *skin->SunkEdge() : combo;
        QStyleOptionComboBox opt;
        opt.rect = QRect(QPoint(0, 0), size);
        opt.state = QStyle::State_Enabled | QStyle::State_MouseOver;
        opt.direction = rtl ? Qt::RightToLeft : Qt::LeftToRight;
        opt.palette.setColor(QPalette::Base, base);
        QImage image = canvas(size);
        QPainter p(&image);
        style.drawComplexControl(QStyle::CC_ComboBox, &opt, &p, nullptr);
        p.end();
        // The outline and button match the hot frame; inside the outline the field shows.
        const QRect f = strip.FrameRect(combocell::Hot);
        int wrong = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const bool edge =
                    x == 0 || y == 0 || x == size.width() - 1 || y == size.height() - 1;
                const QColor under = edge ? Qt::black : base;
                wrong += rgb(image.pixel(x, y)) != cellPixel(strip.Image, f, x, y, under);
            }
        QCOMPARE(wrong, 0);
    }
    // A skin without the ComboButton picture leaves the whole combo box to the system.
    auto plain = plainSkin();
    TSkinStyle plainStyle(plain.get());
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOptionComboBox opt;
    opt.rect = QRect(0, 0, 80, 22);
    opt.state = QStyle::State_Enabled;
    opt.currentText = QStringLiteral("Jazz");
    opt.palette = QApplication::palette();
    QImage ours = canvas(opt.rect.size()), system = canvas(opt.rect.size());
    {
        QPainter p(&ours);
        plainStyle.drawComplexControl(QStyle::CC_ComboBox, &opt, &p, nullptr);
        plainStyle.drawControl(QStyle::CE_ComboBoxLabel, &opt, &p, nullptr);
    }
    {
        QPainter p(&system);
        fusion->drawComplexControl(QStyle::CC_ComboBox, &opt, &p, nullptr);
        fusion->drawControl(QStyle::CE_ComboBoxLabel, &opt, &p, nullptr);
    }
    QCOMPARE(ours, system);
}

void TestSkinStyle::editBorderIsFlat() {
    auto skin = builtSkin(QStringLiteral("lagoon"));
    TSkinStyle style(skin.get());
    QStyleOptionFrame opt;
    opt.rect = QRect(0, 0, 60, 20);
    opt.lineWidth = 2;
    opt.state = QStyle::State_Enabled;
    const QColor field = SkinColour(skin->WindowColor());
    opt.palette.setColor(QPalette::Base, field);
    QImage image = canvas(opt.rect.size());
    QPainter p(&image);
    style.drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, nullptr);
    p.end();
    const QRgb shadow = rgb(SkinColour(skin->ButtonShadowColor()));
    for (const QPoint at : {QPoint(0, 0), QPoint(59, 0), QPoint(30, 19), QPoint(0, 10)})
        QCOMPARE(rgb(image.pixel(at)), shadow);
    for (const QPoint at : {QPoint(1, 1), QPoint(2, 2), QPoint(58, 18), QPoint(30, 10)})
        QCOMPARE(rgb(image.pixel(at)), rgb(field));
}

void TestSkinStyle::spinButtonsFromUpDown() {
    auto skin = builtSkin(QStringLiteral("ember"));
    TSkinStyle style(skin.get());
    const TDataSkinBorder& e = *skin->UpDownVert();
    QStyleOptionSpinBox opt;
    opt.rect = QRect(0, 0, 70, 24);
    opt.frame = true;
    opt.subControls = QStyle::SC_All;
    opt.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    opt.palette = QApplication::palette();
    const QRect up = style.subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxUp);
    const QRect down = style.subControlRect(QStyle::CC_SpinBox, &opt, QStyle::SC_SpinBoxDown);
    auto paint = [&](QStyle::State state, QStyle::SubControls active, bool upEnabled) {
        QStyleOptionSpinBox o = opt;
        o.state = QStyle::State_Enabled | state;
        o.activeSubControls = active;
        if (!upEnabled)
            o.stepEnabled = QAbstractSpinBox::StepDownEnabled;
        QImage image = canvas(o.rect.size());
        QPainter p(&image);
        style.drawComplexControl(QStyle::CC_SpinBox, &o, &p, nullptr);
        return image;
    };
    // The reference: frame k of the body, its arrow on it, drawn the same way.
    auto reference = [&](const QRect& r, int k) {
        QImage image = canvas(r.size());
        QPainter p(&image);
        DrawCell(p, e, k, QRect(QPoint(0, 0), r.size()));
        return image;
    };
    auto bodyMatches = [&](const QImage& image, const QRect& r, int k) {
        // A corner pixel of the button is the body's (the arrow sits in the middle).
        const QImage ref = reference(r, k);
        return rgb(image.pixel(r.topLeft() + QPoint(1, 1))) == rgb(ref.pixel(1, 1)) &&
               rgb(image.pixel(r.bottomRight() - QPoint(1, 1))) ==
                   rgb(ref.pixel(r.width() - 2, r.height() - 2));
    };
    const QImage pressedUp = paint(QStyle::State_Sunken, QStyle::SC_SpinBoxUp, true);
    QVERIFY(bodyMatches(pressedUp, up, updowncell::First + updowncell::Pressed));
    QVERIFY(bodyMatches(pressedUp, down, updowncell::Second + updowncell::Normal));
    const QImage hotDown = paint(QStyle::State_MouseOver, QStyle::SC_SpinBoxDown, true);
    QVERIFY(bodyMatches(hotDown, down, updowncell::Second + updowncell::Hot));
    const QImage atTop = paint(QStyle::State_None, QStyle::SC_None, false);
    QVERIFY(bodyMatches(atTop, up, updowncell::First + updowncell::Disabled));
}

void TestSkinStyle::groupBoxOutline() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    TSkinStyle style(skin.get());
    QStyleOptionGroupBox opt;
    opt.rect = QRect(0, 0, 160, 80);
    opt.state = QStyle::State_Enabled;
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    opt.text = QStringLiteral("Volume");
    opt.fontMetrics = QFontMetrics(crispFont());
    opt.palette = QApplication::palette();
    QImage image = canvas(opt.rect.size());
    QPainter p(&image);
    p.setFont(crispFont());
    style.drawComplexControl(QStyle::CC_GroupBox, &opt, &p, nullptr);
    p.end();
    const QRect frame = style.subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxFrame);
    const TDataSkinObject& edge = *skin->GroupBoxEdge();
    const QRect f = edge.FrameRect(groupcell::Enabled);
    // The bottom-left corner of the outline is the cell's, unscaled, over the face colour.
    const int dy = f.height() - frame.height();
    int wrong = 0;
    for (int y = frame.bottom() - edge.BottomHeight + 1; y <= frame.bottom(); ++y)
        for (int x = frame.left(); x < frame.left() + edge.LeftWidth; ++x)
            wrong += rgb(image.pixel(x, y)) != cellPixel(edge.Image, f, x - frame.left(),
                                                         y - frame.top() + dy, FaceColour(*skin));
    QCOMPARE(wrong, 0);
    // The caption is written in the label's colour.
    QVERIFY(countInk(image, SkinColour(skin->GroupBox()->NormalColour2)) > 10);
}

void TestSkinStyle::factoryRules() {
    auto skin = builtSkin(QStringLiteral("ember"));
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    auto* hidden = new QPushButton(QStringLiteral("Tagged"), &window);
    hidden->setProperty("Tag", skin->DisableTag());
    auto* group = new TRadioGroup(&window);
    auto* item = new QRadioButton(QStringLiteral("a"), group);
    group->setProperty("Tag", skin->DisableTag());
    auto* edit = new QLineEdit(&window);
    auto* combo = new QComboBox(&window);
    auto* check = new QCheckBox(&window);
    auto* slider = new QSlider(&window);
    auto* tree = new QTreeWidget(&window);

    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, button).kind, TControlKind::Button);
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, hidden).kind, TControlKind::None);
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, group).kind, TControlKind::None);
    // The group passed its Tag on to its items.
    QCOMPARE(item->property("Tag").toInt(), skin->DisableTag());
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, item).kind, TControlKind::None);
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, tree).kind, TControlKind::ItemView);
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, &window).kind, TControlKind::None);

    // A "nil" line keeps a class unskinned although a class rule would match; other
    // keywords name the family.
    skin->SetSkin3rd({QStringLiteral("QLineEdit=nil"), QStringLiteral("qcheckbox=Panel")});
    QCOMPARE(Skin3rdKeyword(*skin, QStringLiteral("QLineEdit")), QStringLiteral("nil"));
    QCOMPARE(ChooseSkinner(nullptr, *skin, &window, edit).kind, TControlKind::None);
    const TSkinnerChoice panel = ChooseSkinner(nullptr, *skin, &window, check);
    QCOMPARE(panel.kind, TControlKind::Panel);
    QVERIFY(panel.setColour);
    skin->SetSkin3rd({});

    // Each member of SkinControls switches its family off.
    const QList<QPair<TSkinControlType, QWidget*>> gates{{xcButton, button},   {xcEdit, edit},
                                                         {xcCombo, combo},     {xcCheckBox, check},
                                                         {xcTrackBar, slider}, {xcScrollbar, tree}};
    for (const auto& [member, widget] : gates) {
        QVERIFY(ChooseSkinner(nullptr, *skin, &window, widget).kind != TControlKind::None);
        TSkinControls controls = TSkinControls::all();
        controls.remove(member);
        skin->SetSkinControls(controls);
        QCOMPARE(ChooseSkinner(nullptr, *skin, &window, widget).kind, TControlKind::None);
        skin->SetSkinControls(TSkinControls::all());
    }

    // The handler is asked first, with the upper-case class name, and its companion is used.
    QStringList asked;
    skin->OnSkinControl = [&](QObject* sender, TSkinData* sd, QObject* form, QObject* control,
                              const QString& cls, QObject*& made) {
        QCOMPARE(sender, static_cast<QObject*>(&window));
        QCOMPARE(sd, skin.get());
        QCOMPARE(form, static_cast<QObject*>(&window));
        asked << cls;
        if (control == edit)
            made = new TSkinControl(edit, TControlKind::Button);
    };
    skin->SetSkin3rd({QStringLiteral("QLineEdit=nil")});
    const TSkinnerChoice custom = ChooseSkinner(&window, *skin, &window, edit);
    QVERIFY(custom.custom);
    QCOMPARE(custom.kind, TControlKind::Button);
    QVERIFY(asked.contains(QStringLiteral("QLINEEDIT")));
    delete custom.custom;
    skin->OnSkinControl = nullptr;
}

void TestSkinStyle::skinEnableAndDetach() {
    auto skin = builtSkin(QStringLiteral("nightfall"));
    QWidget window;
    QPalette own = window.palette();
    auto* button = new QPushButton(QStringLiteral("Play"), &window);
    auto* edit = new QLineEdit(&window);
    auto* panel = new QFrame(&window);
    auto* black = new QFrame(&window);
    QPalette blackPal = black->palette();
    blackPal.setColor(QPalette::Window, Qt::black);
    black->setPalette(blackPal);
    auto* tinted = new QFrame(&window);
    QPalette tintPal = tinted->palette();
    tintPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    tinted->setPalette(tintPal);
    QStyle* appStyle = QApplication::style();

    QVERIFY(AttachSkinControls(&window, *skin) >= 5);
    QVERIFY(qobject_cast<TSkinStyle*>(button->style()));
    QVERIFY(qobject_cast<TSkinStyle*>(edit->style()));
    TSkinControl* c = TSkinControl::Of(button);
    QVERIFY(c && c->Paints());
    QCOMPARE(SendSkinMessage(button, SKM_ISSKINNED), qintptr(1));
    QVERIFY(TSkinStyle::LookOf(button).skinned);
    // A second walk makes nothing new.
    QCOMPARE(AttachSkinControls(&window, *skin), 0);
    QVERIFY(TSkinControlSet::Of(&window)->Controls().contains(c));

    // SKM_SKINENABLE 0 gives the control the system look, 1 the skin's again.
    SendSkinMessage(button, SKM_SKINENABLE, 0);
    QVERIFY(!TSkinStyle::LookOf(button).skinned);
    SendSkinMessage(button, SKM_SKINENABLE, 1);
    QVERIFY(TSkinStyle::LookOf(button).skinned);

    // Colours: the window and the panels take the skin's face; the black panel stays black.
    const QColor face = FaceColour(*skin);
    QCOMPARE(window.palette().color(QPalette::Window), face);
    QCOMPARE(edit->palette().color(QPalette::Base), SkinColour(skin->WindowColor()));
    QCOMPARE(tinted->palette().color(QPalette::Window), face);
    QCOMPARE(black->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(panel->autoFillBackground());

    // "Use Skins" off: everything as it was.
    DetachSkinControls(&window);
    QVERIFY(!TSkinControl::Of(button));
    QVERIFY(!TSkinControlSet::Of(&window));
    QCOMPARE(button->style(), appStyle);
    QCOMPARE(edit->style(), appStyle);
    QCOMPARE(window.palette(), own);
    QVERIFY(!window.testAttribute(Qt::WA_SetPalette));
    QCOMPARE(tinted->palette().color(QPalette::Window), tintPal.color(QPalette::Window));
    QCOMPARE(black->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(!panel->autoFillBackground());
    QVERIFY(!TSkinStyle::LookOf(button).skinned);
}

void TestSkinStyle::realWidgetsAreSkinned() {
    for (const QString& name : BuiltIn) {
        auto skin = builtSkin(name);
        QWidget window;
        window.resize(300, 200);
        auto* button = new QPushButton(QString(), &window);
        const QSize bsize = skin->Buttons()->FrameSize();
        button->setGeometry(10, 10, bsize.width(), bsize.height());
        auto* combo = new QComboBox(&window);
        combo->addItem(QStringLiteral("Jazz"));
        combo->setGeometry(10, 60, skin->ComboButton()->FrameWidth(),
                           skin->ComboButton()->FrameHeight());
        auto* check = new QCheckBox(QStringLiteral("On"), &window);
        check->setGeometry(10, 100, 80, 20);
        check->setChecked(true);
        AttachSkinControls(&window, *skin);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const TDataSkinButton& b = *skin->Buttons();
        QCOMPARE(differences(button->grab().toImage(), b.Image, b.FrameRect(buttoncell::Normal),
                             FaceColour(*skin)),
                 0);
        // The combo box's left edge half way down is the composite's.
        const QImage c = combo->grab().toImage();
        const TDataSkinObject& cb = *skin->ComboButton();
        const QRect f = cb.FrameRect(combocell::Normal);
        QCOMPARE(rgb(c.pixel(0, c.height() / 2)), rgb(cb.Image.pixel(f.left(), f.height() / 2)));
        // The check box shows a checked glyph somewhere at its left.
        const QImage k = check->grab().toImage();
        const QRect g = FrameRect(b.CheckImage.size(), CheckFrames(b), 5);
        const QRgb mid = rgb(b.CheckImage.pixel(g.center()));
        bool found = false;
        for (int y = 0; y < k.height() && !found; ++y)
            for (int x = 0; x < 20 && !found; ++x)
                found = rgb(k.pixel(x, y)) == mid;
        QVERIFY2(found, qPrintable(name));
        DetachSkinControls(&window);
    }
}

// A tab widget's own style sheet would draw its tabs past the skin style: it is set aside while
// skinned and comes back with the system look. Controls made after the walk (a view's new
// scroll bar, a page added later) are skinned as they appear.
void TestSkinStyle::sheetSetAsideAndLateControls() {
    auto skin = builtSkin(QStringLiteral("ember"));
    QWidget window;
    window.resize(300, 250);
    auto* tabs = new QTabWidget(&window);
    tabs->setGeometry(0, 0, 300, 250);
    const QString sheet = QStringLiteral("QTabBar::tab { padding: 3px 1px; min-width: 0px; }");
    tabs->setStyleSheet(sheet);
    auto* tree = new QTreeWidget;
    tabs->addTab(tree, QStringLiteral("Stations"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    AttachSkinControls(&window, *skin);
    QVERIFY(tabs->styleSheet().isEmpty());
    QVERIFY(qobject_cast<TSkinStyle*>(tabs->style()));
    QVERIFY(qobject_cast<TSkinStyle*>(tabs->tabBar()->style()));
    // The current tab shows the skin's selected tab cell, not the sheet's blank box.
    const QImage bar = tabs->tabBar()->grab().toImage();
    QCOMPARE(partstest::cornerMismatches(bar, tabs->tabBar()->tabRect(0).topLeft(), *skin->Tabs(),
                                         tabcell::Selected),
             0);

    // A new vertical scroll bar and a new page, both inside the skinned window.
    auto* bar2 = new QScrollBar(Qt::Vertical);
    tree->setVerticalScrollBar(bar2);
    auto* page = new QLineEdit;
    tabs->addTab(page, QStringLiteral("Search"));
    tabs->setCurrentWidget(page);
    QTRY_VERIFY(TSkinControl::Of(bar2) && TSkinControl::Of(page));
    QVERIFY(qobject_cast<TSkinStyle*>(bar2->style()));
    QVERIFY(qobject_cast<TSkinStyle*>(page->style()));
    QVERIFY(TSkinControlSet::Of(&window)->Controls().contains(TSkinControl::Of(page)));

    DetachSkinControls(&window);
    QCOMPARE(tabs->styleSheet(), sheet);
    QVERIFY(!TSkinControl::Of(bar2) && !TSkinControl::Of(page));
    QVERIFY(!qobject_cast<TSkinStyle*>(bar2->style()));
    QVERIFY(!qobject_cast<TSkinStyle*>(page->style())); // the sheet's style over the system's
    // Outside a skinned window nothing is attached.
    auto* later = new QLineEdit;
    tabs->addTab(later, QStringLiteral("More"));
    tabs->setCurrentWidget(later);
    QTRY_VERIFY(later->isVisible());
    QVERIFY(!TSkinControl::Of(later));
}

void TestSkinStyle::textContrastInEveryBuiltInSkin() {
    for (const QString& name : BuiltIn) {
        auto skin = builtSkin(name);
        TSkinStyle style(skin.get());
        const QPalette pal = SkinPalette(*skin, QApplication::palette());
        // Push buttons: the caption colour of each enabled frame over the middle of that frame.
        const TDataSkinButton& b = *skin->Buttons();
        for (int cell :
             {buttoncell::Normal, buttoncell::Hot, buttoncell::Pressed, buttoncell::Default}) {
            const QImage image = paintButton(style, QStyle::State_Enabled, b.FrameSize());
            const QRect f = b.FrameRect(cell);
            const QImage cellImage = b.Image.copy(f);
            const QRect middle(b.LeftWidth, b.TopHeight, f.width() - b.LeftWidth - b.RightWidth,
                               f.height() - b.TopHeight - b.BottomHeight);
            const double least = leastContrast(cellImage, middle, ButtonTextColour(*skin, cell));
            QVERIFY2(least >= 4.5,
                     qPrintable(
                         QStringLiteral("%1 button frame %2: %3").arg(name).arg(cell).arg(least)));
            (void)image;
        }
        // Labels, check and radio captions on the face; field text on the field colour;
        // selected items; the group caption on its label picture.
        const QList<QPair<QPalette::ColorRole, QPalette::ColorRole>> pairs{
            {QPalette::WindowText, QPalette::Window},
            {QPalette::Text, QPalette::Base},
            {QPalette::ButtonText, QPalette::Button},
            {QPalette::HighlightedText, QPalette::Highlight}};
        for (const auto& [text, back] : pairs) {
            const double c = contrast(pal.color(text), pal.color(back));
            QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1 roles %2/%3: %4")
                                              .arg(name)
                                              .arg(int(text))
                                              .arg(int(back))
                                              .arg(c)));
        }
        if (const TDataSkinBoxLabel* label = skin->GroupBox(); label && label->HasImage()) {
            const QRect inner(label->LeftWidth, 0,
                              label->Image.width() - label->LeftWidth - label->RightWidth,
                              label->Image.height());
            const double c = leastContrast(label->Image, inner.adjusted(0, 3, 0, -3),
                                           SkinColour(label->NormalColour2));
            QVERIFY2(c >= 4.5, qPrintable(QStringLiteral("%1 group caption: %2").arg(name).arg(c)));
        }
    }
}

QTEST_MAIN(TestSkinStyle)
#include "test_skinstyle.moc"
