#include "skin/data/SkinElements.h"

namespace {

using S = SkinPartSource;

// In SkinPart order.
constexpr SkinPartInfo partTable[SkinPartCount] = {
    {SkinPart::Progress, "Progress", "Bitmap", nullptr, S::Section},
    {SkinPart::ProgressChunk, "Progress.Chunk", "Image", nullptr, S::Section},
    {SkinPart::MenuBar, "MenuBar", "menuBar", nullptr, S::Personality, TCellLayout::Stacked},
    {SkinPart::GroupBoxEdge, "GroupBoxEdge", "Image", nullptr, S::Section},
    {SkinPart::GroupBox, "GroupBox", "Image", nullptr, S::Section},
    {SkinPart::Tabs, "Tabs", "Image", "Border", S::Section},
    {SkinPart::StatusBarEdges, "StatusBarEdges", "Image", nullptr, S::Section},
    {SkinPart::TabPane, "Tab.Pane", "Image", nullptr, S::Section},
    {SkinPart::ToolBars, "ToolBars", "Image", nullptr, S::Section},
    {SkinPart::ComboButton, "ComboButton", "Image", "****", S::Section},
    {SkinPart::SunkEdge, "SunkEdge", "Image", nullptr, S::Section},
    {SkinPart::ExtraImages, "ExtraImages", "Image", nullptr, S::Section},
    {SkinPart::Headerbar, "Headerbar", "Image", nullptr, S::Section},
    {SkinPart::MenuItem, "MenuItem", "Image", nullptr, S::Section},
    {SkinPart::MenuBackground, "MenuBackground", "Image", nullptr, S::Section},
    {SkinPart::Scrollbar, "Scrollbar", "Image", nullptr, S::Section},
    {SkinPart::HorzScroll, "HorzScroll", "Image", nullptr, S::Section},
    {SkinPart::VertScroll, "VertScroll", "Image", nullptr, S::Section},
    {SkinPart::HorzScrollThumb, "HorzScrollThumb", "Image", nullptr, S::Section},
    {SkinPart::VertScrollThumb, "VertScrollThumb", "Image", nullptr, S::Section},
    {SkinPart::ThumbHorz, "Trackbar.ThumbHorz", "Image", nullptr, S::Section},
    {SkinPart::ThumbVert, "Trackbar.ThumbVert", "Image", nullptr, S::Section},
    {SkinPart::ThumbLeft, "Trackbar.ThumbLeft", "Image", nullptr, S::Section},
    {SkinPart::ThumbRight, "Trackbar.ThumbRight", "Image", nullptr, S::Section},
    {SkinPart::ThumbUp, "Trackbar.ThumbUp", "Image", nullptr, S::Section},
    {SkinPart::ThumbDown, "Trackbar.ThumbDown", "Image", nullptr, S::Section},
    {SkinPart::UpDownHorz, "UpDown.Horz", "Image", "GlyphImage", S::Section},
    {SkinPart::UpDownVert, "UpDown.Vert", "Image", "GlyphImage", S::Section},
    {SkinPart::Track, "Track", "", nullptr, S::BuiltIn},
    {SkinPart::TrackVert, "TrackVert", "", nullptr, S::BuiltIn},
    {SkinPart::ToolbarBack, "Toolbar", "", nullptr, S::Generated},
};

constexpr bool inPartOrder() {
    for (int i = 0; i < SkinPartCount; ++i) {
        if (partTable[i].part != SkinPart(i))
            return false;
    }
    return true;
}
static_assert(inPartOrder(), "the table follows SkinPart");

} // namespace

const SkinPartInfo& PartInfo(SkinPart part) {
    return partTable[int(part)];
}
