// The builder's readers: one per section family of the skin definition.
#include "skin/data/SkinBuilder.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <algorithm>

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

// A flag read as an int: values above 1 count as `above`.
qint32 limitFlag(qint32 value, qint32 above) {
    return value > 1 ? above : value;
}

} // namespace

QImage TSkinBuilder::loadImage(const QString& section, const QString& key) {
    return pictures_.Picture(ini_.ReadString(section, key, QString()));
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
        if (IsColourSection(name)) {
            build_.Content.ColourTable.append(TSkinData::ReadColour(
                ini_, name, QStringLiteral("color"), orvik::SystemColour(orvik::COLOR_WINDOWTEXT)));
        }
    }
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
