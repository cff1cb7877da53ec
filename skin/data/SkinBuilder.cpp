#include "skin/data/SkinBuilder.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGenerated.h"
#include "skin/data/SkinReader.h"

#include <algorithm>
#include <cstring>

namespace {

const QString personality = QStringLiteral("Personality");

template <typename T> std::unique_ptr<TDataSkinObject> makeElement(const SkinPartInfo& info) {
    return std::make_unique<T>(QString::fromLatin1(info.name), info.layout);
}

std::unique_ptr<TDataSkinObject> makeFor(SkinPart part) {
    const SkinPartInfo& info = PartInfo(part);
    switch (part) {
    case SkinPart::Progress:
    case SkinPart::Tabs:
    case SkinPart::ComboButton:
    case SkinPart::UpDownHorz:
    case SkinPart::UpDownVert:
        return makeElement<TDataSkinBorder>(info);
    case SkinPart::GroupBox:
        return makeElement<TDataSkinBoxLabel>(info);
    default:
        return makeElement<TDataSkinObject>(info);
    }
}

// A [Colour*] section: one entry of the colour table.
bool isColourSection(const QString& name) {
    const QString upper = name.toUpper();
    return upper.startsWith(QLatin1String("COLOUR")) && upper != QLatin1String("COLOURS");
}

// A flag read as an int: values above 1 count as `above`.
qint32 limitFlag(qint32 value, qint32 above) {
    return value > 1 ? above : value;
}

} // namespace

TSkinBuilder::TSkinBuilder(const TQuickIni& ini, const TSkinReader& reader, int scrollArrowWidth)
    : ini_(ini), reader_(reader), arrowWidth_(std::clamp(scrollArrowWidth, 0, 40)),
      pictures_(reader) {}

QImage TSkinBuilder::loadImage(const QString& section, const QString& key) {
    return pictures_.Picture(ini_.ReadString(section, key, QString()));
}

namespace {

[[noreturn]] void refuseButtons(qsizetype count, const char* what) {
    throw ESkinRefused(QStringLiteral("The skin defines %1 %2; a skin may have at most %3.")
                           .arg(count)
                           .arg(QLatin1String(what))
                           .arg(TSkinBuilder::MaxCaptionButtons));
}

[[noreturn]] void refuseColours(qsizetype count) {
    throw ESkinRefused(QStringLiteral("The skin defines %1 colour-table entries; a skin may "
                                      "have at most %2.")
                           .arg(count)
                           .arg(TSkinBuilder::MaxColourTable));
}

bool startsWithUpper(QByteArrayView name, const char* prefix) {
    const qsizetype n = qsizetype(std::strlen(prefix));
    if (name.size() < n)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool equalsUpper(QByteArrayView name, const char* text) {
    return name.size() == qsizetype(std::strlen(text)) && startsWithUpper(name, text);
}

} // namespace

void TSkinBuilder::CheckDefinitionText(QByteArrayView text) {
    // Lines and headers as the definition reader finds them: a line ends at CR, LF or NUL, a
    // NUL ends the text, characters up to the space are trimmed, "[...]" is a header.
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text = text.first(nul);
    qsizetype buttons = 0;
    qsizetype colours = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const char* a = p;
        const char* b = lineEnd;
        while (a < b && uchar(*a) <= 32)
            ++a;
        while (b > a && uchar(b[-1]) <= 32)
            --b;
        if (b - a >= 2 && *a == '[' && b[-1] == ']') {
            const char* na = a + 1;
            const char* nb = b - 1;
            while (na < nb && uchar(*na) <= 32)
                ++na;
            while (nb > na && uchar(nb[-1]) <= 32)
                --nb;
            const QByteArrayView name(na, nb - na);
            if (startsWithUpper(name, "COLOUR") && !equalsUpper(name, "COLOURS"))
                ++colours;
            else if (startsWithUpper(name, "BUTTON") && !equalsUpper(name, "BUTTON") &&
                     !equalsUpper(name, "BUTTONS") && !equalsUpper(name, "BUTTON.RADIO") &&
                     !equalsUpper(name, "BUTTON.CHECKBOX"))
                ++buttons;
        }
        p = lineEnd;
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;
    }
    if (colours > MaxColourTable)
        refuseColours(colours);
    if (buttons > MaxCaptionButtons)
        refuseButtons(buttons, "caption button sections");
}

void TSkinBuilder::checkCounts() const {
    int buttons = 0;
    int colours = 0;
    for (const QString& name : sections_) {
        if (isColourSection(name))
            ++colours;
        else if (IsCaptionButtonSection(ini_, name))
            ++buttons;
    }
    if (buttons > MaxCaptionButtons)
        refuseButtons(buttons, "caption buttons");
    if (colours > MaxColourTable)
        refuseColours(colours);
}

TSkinBuild TSkinBuilder::Build() {
    TSkinContent& c = build_.Content;

    sections_ = ini_.ReadSections();
    checkCounts();
    c.SkinName = ini_.ReadString(QStringLiteral("TitlebarSkin"), QStringLiteral("SkinName"), {});

    readBorder(build_.Left, QStringLiteral("Left"));
    readBorder(build_.Right, QStringLiteral("Right"));
    readBorder(build_.Top, QStringLiteral("Top"));
    readBorder(build_.Bottom, QStringLiteral("Bottom"));

    readColours();
    readColourTable();
    for (int i = 0; i < 10; ++i) {
        c.CustomColors[i] = TSkinData::ReadColour(ini_, QStringLiteral("Customcolors"),
                                                  QStringLiteral("Color%1").arg(i), orvik::clWhite);
    }

    readCaptionButtons();
    readChildWindowButtons();
    readButtons();
    readTitle();

    readSection(SkinPart::Progress);
    readSection(SkinPart::ProgressChunk);
    readMenuBar();

    readSection(SkinPart::GroupBoxEdge);
    if (auto* box = static_cast<TDataSkinBoxLabel*>(readSection(SkinPart::GroupBox))) {
        const QString s = QStringLiteral("GroupBox");
        box->BackgroundAlignment = ini_.ReadInteger(s, QStringLiteral("BackgroundAlignment"), 0);
        box->BackgroundLeftShift = ini_.ReadInteger(s, QStringLiteral("BackgroundLeftShift"), 0);
        box->BackgroundRightShift = ini_.ReadInteger(s, QStringLiteral("BackgroundRightShift"), 0);
    }
    readSection(SkinPart::Tabs);
    readSection(SkinPart::StatusBarEdges);
    if (auto* pane = readSection(SkinPart::TabPane)) {
        pane->LeftWidth = std::min(pane->LeftWidth, 4);
        pane->TopHeight = std::min(pane->TopHeight, 4);
        pane->RightWidth = std::min(pane->RightWidth, 4);
        pane->BottomHeight = std::min(pane->BottomHeight, 4);
    }
    readSection(SkinPart::ToolBars);
    auto* combo = static_cast<TDataSkinBorder*>(readSection(SkinPart::ComboButton));
    readSection(SkinPart::SunkEdge);
    if (combo && combo->HasImage())
        combo->Image2 = orvik::MirroredCopy(combo->Image);

    for (SkinPart part :
         {SkinPart::ExtraImages, SkinPart::Headerbar, SkinPart::MenuItem, SkinPart::MenuBackground,
          SkinPart::Scrollbar, SkinPart::HorzScroll, SkinPart::VertScroll,
          SkinPart::HorzScrollThumb, SkinPart::VertScrollThumb, SkinPart::ThumbHorz,
          SkinPart::ThumbVert, SkinPart::ThumbLeft, SkinPart::ThumbRight, SkinPart::ThumbUp,
          SkinPart::ThumbDown, SkinPart::UpDownHorz, SkinPart::UpDownVert})
        readSection(part);

    c.Parts[int(SkinPart::Track)] = orvik::BuildTrackElement(QStringLiteral("Track"));
    c.Parts[int(SkinPart::TrackVert)] = orvik::BuildTrackElement(QStringLiteral("TrackVert"));

    setFrameCounts();

    TDataSkinObject* sunk = c.Parts[int(SkinPart::SunkEdge)].get();
    // Strips made from missing pictures would be all transparent: only real pictures combine.
    if (sunk && combo && sunk->HasImage() && combo->HasImage()) {
        orvik::BuildComboComposite(*sunk, *combo, c.Parts[int(SkinPart::ExtraImages)].get(),
                                   arrowWidth_);
    }

    c.Parts[int(SkinPart::ToolbarBack)] =
        orvik::BuildToolbarBack(build_.Top, c.Palette.ButtonFaceColor);
    c.ButtonFaceBrush = QBrush(orvik::ToQColor(c.Palette.ButtonFaceColor));
    return std::move(build_);
}

void TSkinBuilder::readBorder(TDataSkinBorder& border, const QString& side) {
    border.Image = loadImage(personality, side);
    const qint32 top = ini_.ReadInteger(personality, side + QStringLiteral("TopHeight"), 0);
    const qint32 bottom = ini_.ReadInteger(personality, side + QStringLiteral("BotHeight"), 0);
    if (side == QLatin1String("Left") || side == QLatin1String("Right")) {
        border.TopHeight = top;
        border.BottomHeight = bottom;
    } else {
        border.LeftWidth = top;
        border.RightWidth = bottom;
    }
    const int index = side == QLatin1String("Left")    ? 0
                      : side == QLatin1String("Right") ? 1
                      : side == QLatin1String("Top")   ? 2
                                                       : 3;
    borderFrames_[index] = ini_.ReadInteger(personality, side + QStringLiteral("Frame"), 1);
    border.Tile = limitFlag(ini_.ReadInteger(personality, side + QStringLiteral("Stretch"), 1), 1);
    border.Trans = ini_.ReadInteger(personality, side + QStringLiteral("Trans"), 1);
}

void TSkinBuilder::readColours() {
    using namespace orvik;
    TSkinPalette& p = build_.Content.Palette;
    const QString s = QStringLiteral("Colours");
    auto read = [&](const char* key, TColor def) {
        return TSkinData::ReadColour(ini_, s, QString::fromLatin1(key), def);
    };
    p.WindowTextColor = read("WindowText", SystemColour(COLOR_WINDOWTEXT));
    p.ButtonFaceColor = read("ButtonFace", SystemColour(COLOR_BTNFACE));
    p.ScrollbarColor = read("Scrollbar", SystemColour(COLOR_SCROLLBAR));
    p.HilightTextColor = read("HilightText", SystemColour(COLOR_HIGHLIGHTTEXT));
    p.HilightColor = read("Hilight", SystemColour(COLOR_HIGHLIGHT));
    p.MenubarColor = read("Menubar", p.ButtonFaceColor);
    p.MenuColor = read("Menu", SystemColour(COLOR_MENU));
    p.MenuTextColor = read("MenuText", SystemColour(COLOR_MENUTEXT));
    p.ButtonTextColor = read("ButtonText", SystemColour(COLOR_BTNTEXT));
    p.ButtonHilightColor = read("ButtonHilight", SystemColour(COLOR_BTNHIGHLIGHT));
    p.ButtonLightColor = read("Buttonlight", SystemColour(COLOR_BTNHIGHLIGHT));
    p.ButtonShadowColor = read("ButtonShadow", SystemColour(COLOR_BTNSHADOW));
    p.ButtonDkShadowColor = read("ButtonDkShadow", SystemColour(COLOR_3DDKSHADOW));
    p.MenuBarTextColor = read("MenuBarText", SystemColour(COLOR_MENUTEXT));
    p.TitleTextActiveColor = read("TitleTextActive", SystemColour(COLOR_CAPTIONTEXT));
    p.TitleTextNoActiveColor = read("TitleTextNoActive", SystemColour(COLOR_INACTIVECAPTIONTEXT));
    p.WindowColor = read("Window", p.ButtonFaceColor);
}

void TSkinBuilder::readColourTable() {
    for (const QString& name : sections_) {
        if (isColourSection(name)) {
            build_.Content.ColourTable.append(TSkinData::ReadColour(
                ini_, name, QStringLiteral("color"), orvik::SystemColour(orvik::COLOR_WINDOWTEXT)));
        }
    }
}

bool TSkinBuilder::IsCaptionButtonSection(const TQuickIni& ini, const QString& section) {
    const QString upper = section.toUpper();
    if (!upper.startsWith(QLatin1String("BUTTON")))
        return false;
    for (const char* excluded : {"BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"}) {
        if (upper == QLatin1String(excluded))
            return false;
    }
    const qint32 action = ini.ReadInteger(section, QStringLiteral("Action"), 0);
    const qint32 visibility = ini.ReadInteger(section, QStringLiteral("Visibility"), -1);
    return !(action == -1 && visibility != 0);
}

void TSkinBuilder::readCaptionButtons() {
    TSkinContent& c = build_.Content;
    for (const QString& name : sections_) {
        if (!IsCaptionButtonSection(ini_, name))
            continue;
        auto button = std::make_unique<TDataSkinSysButton>(name.toUpper());
        button->Action = ini_.ReadInteger(name, QStringLiteral("Action"), 0);
        button->Align = ini_.ReadInteger(name, QStringLiteral("Align"), 0);
        button->Xcoord = ini_.ReadInteger(name, QStringLiteral("Xcoord"), 0);
        button->Ycoord = ini_.ReadInteger(name, QStringLiteral("Ycoord"), 0);
        button->Visibility = ini_.ReadInteger(name, QStringLiteral("Visibility"), 0);
        button->Visibility1 =
            ini_.ReadInteger(name, QStringLiteral("Visibility1"), button->Action == -1 ? -1 : 0);
        button->CombineOp = ini_.ReadInteger(name, QStringLiteral("CombineOp"), -1);
        button->FrameCount = ini_.ReadInteger(name, QStringLiteral("frame"), 0);
        button->Image = loadImage(name, QStringLiteral("ButtonImage"));

        if (button->FrameCount == 0) {
            button->FrameCount = 6;
            if (button->HasImage()) {
                const double ratio = double(button->Image.width()) / button->Image.height();
                button->FrameCount = ratio <= 3.8 ? 3 : 6;
            }
            if (button->Action < 0)
                button->FrameCount = 6;
            // The system menu button shows the window icon instead of a picture.
            if (button->Action == 3 || button->Action == 11)
                button->Image = QImage();
        }
        c.SysButtonList.append(button.get());
        c.SysButtons.push_back(std::move(button));
    }
}

void TSkinBuilder::readChildWindowButtons() {
    TSkinContent& c = build_.Content;
    const QImage strip = loadImage(QStringLiteral("MDICONTROLS"), QStringLiteral("Image"));
    const char* names[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
    const int w = strip.width() / 12;
    for (int i = 0; i < 3; ++i) {
        auto button = std::make_unique<TDataSkinSysButton>(QString::fromLatin1(names[i]));
        button->Action = 7 + i;
        button->Align = 100;
        button->Visibility = 100;
        button->Visibility1 = 100;
        button->FrameCount = 4;
        if (!strip.isNull()) {
            if (w > 0)
                button->Image = strip.copy(4 * w * i, 0, 4 * w, strip.height());
            button->Xcoord = (w + 4) * (3 - i);
        }
        c.SysButtonList.append(button.get());
        c.SysButtons.push_back(std::move(button));
    }
}

void TSkinBuilder::readButtons() {
    TDataSkinButton& b = build_.Buttons;
    const QString s = QStringLiteral("Buttons");
    b.LeftWidth = ini_.ReadInteger(s, QStringLiteral("LeftWidth"), 0);
    b.RightWidth = ini_.ReadInteger(s, QStringLiteral("RightWidth"), 0);
    b.TopHeight = ini_.ReadInteger(s, QStringLiteral("TopHeight"), 0);
    b.BottomHeight = ini_.ReadInteger(s, QStringLiteral("BottomHeight"), 0);
    b.Trans = ini_.ReadInteger(s, QStringLiteral("Trans"), 0);
    b.Image = loadImage(s, QStringLiteral("Bitmap"));
    b.Tile = limitFlag(ini_.ReadInteger(s, QStringLiteral("Tile"), 0), 0);
    b.CheckImage = loadImage(s, QStringLiteral("CheckButton"));
    b.RadioImage = loadImage(s, QStringLiteral("RadioButton"));
    b.NormalColour = ini_.ReadInteger(s, QStringLiteral("NormalColour"), -1);
    b.MouseOverColour = ini_.ReadInteger(s, QStringLiteral("MouseOverColour"), -1);
    b.PressedColour = ini_.ReadInteger(s, QStringLiteral("PressedColour"), -1);
    b.RadioFrames = ini_.ReadInteger(s, QStringLiteral("RadioButtonFrame"), 0);
    b.CheckFrames = ini_.ReadInteger(s, QStringLiteral("CheckButtonFrame"), 0);

    const TColor text = build_.Content.Palette.ButtonTextColor;
    auto has = [&](const char* key) {
        return !ini_.ReadString(s, QString::fromLatin1(key), QString()).isEmpty();
    };
    b.NormalColour2 = TSkinData::ReadColour(ini_, s, QStringLiteral("NormalColour2"), text);
    b.MouseOverColour2 = TSkinData::ReadColour(ini_, s, QStringLiteral("MouseOverColour2"), text);
    b.PressedColour2 = TSkinData::ReadColour(ini_, s, QStringLiteral("PressedColour2"), text);
    b.HasNormalColour2 = has("NormalColour2");
    b.HasMouseOverColour2 = has("MouseOverColour2");
    b.HasPressedColour2 = has("PressedColour2");
}

void TSkinBuilder::readTitle() {
    TDataSkinTitle& t = build_.Title;
    t.Image = loadImage(personality, QStringLiteral("TextBack"));
    t.LeftWidth = ini_.ReadInteger(personality, QStringLiteral("TextShift"), 0);
    t.TopHeight = ini_.ReadInteger(personality, QStringLiteral("TextShiftVert"), 0);
    t.RightWidth = ini_.ReadInteger(personality, QStringLiteral("TextRightClip"), 0);
    t.BottomHeight = 0;
    t.TextAlignment = ini_.ReadInteger(personality, QStringLiteral("TextAlignment"), 0);
    t.TextBackground = ini_.ReadInteger(personality, QStringLiteral("Textbackground"), 0);
    t.TxtBackLeft = ini_.ReadInteger(personality, QStringLiteral("TXTBackleft"), 0);
    t.TxtBackRight = ini_.ReadInteger(personality, QStringLiteral("TXTBackRight"), 0);
    t.ActiveTextColor = TDataSkinTitle::NoTextColor;
    t.InactiveTextColor = TDataSkinTitle::NoTextColor;
    TSkinData::ReadRGB(ini_, personality, QStringLiteral("ActiveText"), t.ActiveTextColor);
    TSkinData::ReadRGB(ini_, personality, QStringLiteral("InActiveText"), t.InactiveTextColor);
    t.FontHeight = ini_.ReadInteger(QStringLiteral("Fonts"), QStringLiteral("FontHeight"), 14);
}

TDataSkinObject* TSkinBuilder::readSection(SkinPart part) {
    const SkinPartInfo& info = PartInfo(part);
    const QString s = QString::fromLatin1(info.name);
    const QString imageKey = QString::fromLatin1(info.imageKey);
    auto& slot = build_.Content.Parts[int(part)];
    slot.reset();
    if (ini_.ReadString(s, imageKey, QString()).isEmpty())
        return nullptr;

    slot = makeFor(part);
    TDataSkinObject& e = *slot;
    const bool progress = part == SkinPart::Progress;
    e.Image = loadImage(s, imageKey);
    e.Style = ini_.ReadInteger(s, QStringLiteral("Style"), 0);
    e.LeftWidth = ini_.ReadInteger(s, QStringLiteral("LeftWidth"), 0);
    e.TopHeight = ini_.ReadInteger(s, QStringLiteral("TopHeight"), 0);
    e.RightWidth = ini_.ReadInteger(s, QStringLiteral("RightWidth"), 0);
    e.BottomHeight = ini_.ReadInteger(s, QStringLiteral("BottomHeight"), 0);
    e.Trans = ini_.ReadInteger(s, QStringLiteral("Trans"), 0);
    e.Tile = limitFlag(ini_.ReadInteger(s, QStringLiteral("Tile"), 0), progress ? 1 : 0);
    if (!progress) {
        const TColor text = build_.Content.Palette.ButtonTextColor;
        e.NormalColour = ini_.ReadInteger(s, QStringLiteral("NormalColour"), -1);
        e.MouseOverColour = ini_.ReadInteger(s, QStringLiteral("MouseOverColour"), -1);
        e.PressedColour = ini_.ReadInteger(s, QStringLiteral("PressedColour"), -1);
        e.NormalColour2 = TSkinData::ReadColour(ini_, s, QStringLiteral("NormalColour2"), text);
        e.MouseOverColour2 =
            TSkinData::ReadColour(ini_, s, QStringLiteral("MouseOverColour2"), text);
        e.PressedColour2 = TSkinData::ReadColour(ini_, s, QStringLiteral("PressedColour2"), text);
    }
    if (info.secondKey) {
        auto& border = static_cast<TDataSkinBorder&>(e);
        border.Image2 = loadImage(s, QString::fromLatin1(info.secondKey));
    }
    if (part == SkinPart::HorzScrollThumb || part == SkinPart::VertScrollThumb)
        e.FrameCount = ini_.ReadInteger(s, QStringLiteral("FrameCount"), 3);
    return &e;
}

void TSkinBuilder::readMenuBar() {
    auto& slot = build_.Content.Parts[int(SkinPart::MenuBar)];
    slot.reset();
    if (ini_.ReadString(personality, QStringLiteral("menuBar"), QString()).isEmpty())
        return;
    slot = makeFor(SkinPart::MenuBar);
    slot->Image = loadImage(personality, QStringLiteral("menuBar"));
    slot->Tile = limitFlag(ini_.ReadInteger(personality, QStringLiteral("TileMenu"), 1), 1);
    slot->LeftWidth = ini_.ReadInteger(personality, QStringLiteral("TileLeftMenu"), 1);
    slot->RightWidth = ini_.ReadInteger(personality, QStringLiteral("TileRightMenu"), 1);
}

void TSkinBuilder::setFrameCounts() {
    TSkinContent& c = build_.Content;
    auto set = [&](SkinPart part, int frames) {
        if (auto& e = c.Parts[int(part)])
            e->FrameCount = frames;
    };

    build_.Buttons.FrameCount = 5;
    build_.Title.FrameCount = 2;
    if (auto& progress = c.Parts[int(SkinPart::Progress)])
        progress->FrameCount = progress->Style != 0 ? 1 : 2;
    set(SkinPart::MenuBar, 2);
    set(SkinPart::GroupBoxEdge, 2);
    set(SkinPart::ToolBars, 5);
    set(SkinPart::Tabs, 5);
    set(SkinPart::TabPane, 1);
    set(SkinPart::StatusBarEdges, 3);
    set(SkinPart::GroupBox, 1);
    set(SkinPart::ComboButton, 4);
    set(SkinPart::SunkEdge, 4);
    set(SkinPart::ExtraImages, 5);
    set(SkinPart::Headerbar, 5);
    set(SkinPart::MenuItem, 5);
    set(SkinPart::MenuBackground, 1);
    set(SkinPart::Scrollbar, 23);
    set(SkinPart::HorzScroll, 4);
    set(SkinPart::VertScroll, 4);
    set(SkinPart::UpDownHorz, 8);
    set(SkinPart::UpDownVert, 8);
    for (SkinPart part : {SkinPart::ThumbHorz, SkinPart::ThumbVert, SkinPart::ThumbLeft,
                          SkinPart::ThumbRight, SkinPart::ThumbUp, SkinPart::ThumbDown})
        set(part, 5);
    build_.Left.FrameCount = borderFrames_[0];
    build_.Right.FrameCount = borderFrames_[1];
    build_.Top.FrameCount = borderFrames_[2];
    build_.Bottom.FrameCount = borderFrames_[3];

    // Check box and radio button frames, when the definition does not give them: the picture
    // holds 13- or 16-pixel squares side by side, never fewer than 4.
    auto derive = [](const QImage& image) {
        const int unit = image.height() < 16 ? 13 : 16;
        return std::max(4, image.width() / unit);
    };
    TDataSkinButton& b = build_.Buttons;
    if (b.RadioFrames == 0)
        b.RadioFrames = derive(b.RadioImage);
    if (b.CheckFrames == 0)
        b.CheckFrames = derive(b.CheckImage);
}
