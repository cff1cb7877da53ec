#include "skin/draw/style/CheckFamily.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/StyleState.h"

#include <QPainter>

namespace orvik::style {

namespace {

// The prepared forms of the two glyph strips, kept while the pictures stay the same.
TPreparedCells& checkCells() {
    static TPreparedCells cells;
    return cells;
}
TPreparedCells& radioCells() {
    static TPreparedCells cells;
    return cells;
}

QSize glyphSize(const QImage& strip, int frames) {
    return FrameRect(strip.size(), frames, 1).size();
}

} // namespace

bool DrawCheckPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    const TDataSkinButton* b = call.skin.Buttons();
    if (!b || !call.option)
        return false;
    const bool radio = pe == QStyle::PE_IndicatorRadioButton;
    if (!radio && pe != QStyle::PE_IndicatorCheckBox && pe != QStyle::PE_IndicatorItemViewItemCheck)
        return false;
    const QImage& strip = radio ? b->RadioImage : b->CheckImage;
    if (strip.isNull())
        return false;
    const int frames = radio ? RadioFrames(*b) : CheckFrames(*b);
    const TControlState s = DecodeState(call.option);
    const int cell = radio ? RadioCell(s, frames) : CheckCell(s, frames);
    DrawGlyphCentred(*call.painter, radio ? radioCells() : checkCells(), strip,
                     FrameRect(strip.size(), frames, cell), call.option->rect);
    return true;
}

bool CheckMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    const TDataSkinButton* b = call.skin.Buttons();
    if (!b)
        return false;
    const bool radio =
        pm == QStyle::PM_ExclusiveIndicatorWidth || pm == QStyle::PM_ExclusiveIndicatorHeight;
    const QImage& strip = radio ? b->RadioImage : b->CheckImage;
    if (strip.isNull())
        return false;
    const QSize size = glyphSize(strip, radio ? RadioFrames(*b) : CheckFrames(*b));
    if (size.isEmpty())
        return false;
    switch (pm) {
    case QStyle::PM_IndicatorWidth:
    case QStyle::PM_ExclusiveIndicatorWidth:
        out = size.width();
        return true;
    case QStyle::PM_IndicatorHeight:
    case QStyle::PM_ExclusiveIndicatorHeight:
        out = size.height();
        return true;
    default:
        return false;
    }
}

} // namespace orvik::style
