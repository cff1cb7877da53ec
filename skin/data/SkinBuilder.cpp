// Builds a skin from its parsed definition: the order of the readers and what is made from
// their results (frame counts, composed strips, the toolbar background).
#include "skin/data/SkinBuilder.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGenerated.h"

#include <algorithm>

TSkinBuilder::TSkinBuilder(const TQuickIni& ini, const TSkinReader& reader, int scrollArrowWidth)
    : ini_(ini), reader_(reader), arrowWidth_(std::clamp(scrollArrowWidth, 0, 40)),
      pictures_(reader) {}

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
