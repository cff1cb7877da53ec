#pragma once

#include "skin/data/SkinColour.h"
#include "skin/data/SkinObjects.h"

#include <QBrush>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <vector>

// The elements of a skin beyond the four window borders, the title and the push buttons.
// Each one exists only when the skin has a picture for it (the built-in and generated ones
// always exist after a load).
enum class SkinPart {
    Progress,
    ProgressChunk,
    MenuBar,
    GroupBoxEdge,
    GroupBox,
    Tabs,
    StatusBarEdges,
    TabPane,
    ToolBars,
    ComboButton,
    SunkEdge,
    ExtraImages,
    Headerbar,
    MenuItem,
    MenuBackground,
    Scrollbar,
    HorzScroll,
    VertScroll,
    HorzScrollThumb,
    VertScrollThumb,
    ThumbHorz,
    ThumbVert,
    ThumbLeft,
    ThumbRight,
    ThumbUp,
    ThumbDown,
    UpDownHorz,
    UpDownVert,
    Track,
    TrackVert,
    ToolbarBack,
};
constexpr int SkinPartCount = int(SkinPart::ToolbarBack) + 1;

enum class SkinPartSource {
    Section,     // a definition section with an image key of its own
    Personality, // a key of [Personality]
    BuiltIn,     // a picture of the program
    Generated,   // made from other elements
};

struct SkinPartInfo {
    SkinPart part;
    const char* name;      // the element's Name; the section name for sections
    const char* imageKey;  // the key naming its picture ("" for built-in and generated)
    const char* secondKey; // the key of the second picture, or nullptr
    SkinPartSource source;
    TCellLayout layout = TCellLayout::SideBySide;
};

const SkinPartInfo& PartInfo(SkinPart part);

// The skin's colours, read from [Colours].
struct TSkinPalette {
    TColor WindowTextColor = orvik::SystemColour(orvik::COLOR_WINDOWTEXT);
    TColor ButtonFaceColor = orvik::SystemColour(orvik::COLOR_BTNFACE);
    TColor ScrollbarColor = orvik::SystemColour(orvik::COLOR_SCROLLBAR);
    TColor HilightTextColor = orvik::SystemColour(orvik::COLOR_HIGHLIGHTTEXT);
    TColor HilightColor = orvik::SystemColour(orvik::COLOR_HIGHLIGHT);
    TColor MenubarColor = orvik::SystemColour(orvik::COLOR_BTNFACE);
    TColor MenuColor = orvik::SystemColour(orvik::COLOR_MENU);
    TColor MenuTextColor = orvik::SystemColour(orvik::COLOR_MENUTEXT);
    TColor ButtonTextColor = orvik::SystemColour(orvik::COLOR_BTNTEXT);
    TColor ButtonHilightColor = orvik::SystemColour(orvik::COLOR_BTNHIGHLIGHT);
    TColor ButtonLightColor = orvik::SystemColour(orvik::COLOR_BTNHIGHLIGHT);
    TColor ButtonShadowColor = orvik::SystemColour(orvik::COLOR_BTNSHADOW);
    TColor ButtonDkShadowColor = orvik::SystemColour(orvik::COLOR_3DDKSHADOW);
    TColor MenuBarTextColor = orvik::SystemColour(orvik::COLOR_MENUTEXT);
    TColor TitleTextActiveColor = orvik::SystemColour(orvik::COLOR_CAPTIONTEXT);
    TColor TitleTextNoActiveColor = orvik::SystemColour(orvik::COLOR_INACTIVECAPTIONTEXT);
    // The background of text fields and lists ("Window"); a skin that gives none has them in
    // its face colour.
    TColor WindowColor = orvik::SystemColour(orvik::COLOR_BTNFACE);
};

// Everything one load builds apart from the six elements that live with the component.
struct TSkinContent {
    std::array<std::unique_ptr<TDataSkinObject>, SkinPartCount> Parts;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    QList<TDataSkinSysButton*> SysButtonList; // the same buttons, for reading
    TSkinPalette Palette;
    QList<TColor> ColourTable;
    std::array<TColor, 10> CustomColors{};
    QBrush ButtonFaceBrush;
    QString SkinName;
};

// One complete skin as a load builds it, before it is put in force.
struct TSkinBuild {
    TDataSkinBorder Left{QStringLiteral("Left")};
    TDataSkinBorder Right{QStringLiteral("Right")};
    TDataSkinBorder Top{QStringLiteral("Top"), TCellLayout::Stacked};
    TDataSkinBorder Bottom{QStringLiteral("Bottom"), TCellLayout::Stacked};
    TDataSkinTitle Title{QStringLiteral("Title"), TCellLayout::Stacked};
    TDataSkinButton Buttons{QStringLiteral("Buttons")};
    TSkinContent Content;
};
