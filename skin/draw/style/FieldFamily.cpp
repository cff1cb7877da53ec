#include "skin/draw/style/FieldFamily.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"

#include <QFrame>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace orvik::style {

namespace {

TPreparedCells& arrowCells() {
    static TPreparedCells cells;
    return cells;
}

bool isMemo(const QWidget* w) {
    return qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

void drawSpinButton(const TStyleCall& call, const TDataSkinBorder& e,
                    const QStyleOptionSpinBox& opt, QStyle::SubControl part) {
    const bool up = part == QStyle::SC_SpinBoxUp;
    const QRect r = call.style.subControlRect(QStyle::CC_SpinBox, &opt, part, call.widget);
    if (r.isEmpty())
        return;
    TControlState s = DecodePartState(&opt, part);
    const auto step = up ? QAbstractSpinBox::StepUpEnabled : QAbstractSpinBox::StepDownEnabled;
    if (!(opt.stepEnabled & step))
        s.enabled = false;
    const int cell = UpDownCell(s, up);
    DrawCell(*call.painter, e, cell, r);
    if (!e.Image2.isNull())
        DrawGlyphCentred(*call.painter, arrowCells(), e.Image2,
                         FrameRect(e.Image2.size(), e.FrameCount, cell), r);
}

} // namespace

void DrawFlatField(QPainter& p, const TSkinData& skin, const QRect& r, const QColor& field,
                   bool fill) {
    if (r.width() < 2 || r.height() < 2)
        return;
    p.save();
    if (fill)
        p.fillRect(r, field);
    p.setBrush(Qt::NoBrush);
    p.setPen(field);
    p.drawRect(r.adjusted(1, 1, -2, -2));
    p.drawRect(r.adjusted(2, 2, -3, -3));
    p.setPen(SkinColour(skin.ButtonShadowColor()));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

bool DrawFieldPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    if (!call.option)
        return false;
    const QColor field = call.option->palette.color(QPalette::Base);
    switch (pe) {
    case QStyle::PE_PanelLineEdit: {
        const auto* f = call.as<QStyleOptionFrame>();
        if (f && f->lineWidth > 0)
            DrawFlatField(*call.painter, call.skin, f->rect, field, true);
        else
            call.painter->fillRect(call.option->rect, field);
        return true;
    }
    case QStyle::PE_FrameLineEdit:
        DrawFlatField(*call.painter, call.skin, call.option->rect, field, false);
        return true;
    default:
        return false;
    }
}

bool DrawFieldControl(QStyle::ControlElement ce, const TStyleCall& call) {
    // The border of a memo; other framed views keep the scroll view's frame.
    if (ce != QStyle::CE_ShapedFrame || !isMemo(call.widget))
        return false;
    const auto* f = call.as<QStyleOptionFrame>();
    if (!f || f->frameShape == QFrame::NoFrame)
        return false;
    DrawFlatField(*call.painter, call.skin, f->rect, f->palette.color(QPalette::Base), false);
    return true;
}

bool DrawFieldComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    const TDataSkinBorder* e = call.skin.UpDownVert();
    const auto* opt = call.as<QStyleOptionSpinBox>();
    if (cc != QStyle::CC_SpinBox || !opt || !e || !e->HasImage())
        return false;
    if (opt->frame && (opt->subControls & QStyle::SC_SpinBoxFrame))
        DrawFlatField(*call.painter, call.skin, opt->rect, opt->palette.color(QPalette::Base),
                      true);
    else
        call.painter->fillRect(opt->rect, opt->palette.color(QPalette::Base));
    if (opt->buttonSymbols != QAbstractSpinBox::NoButtons) {
        drawSpinButton(call, *e, *opt, QStyle::SC_SpinBoxUp);
        drawSpinButton(call, *e, *opt, QStyle::SC_SpinBoxDown);
    }
    return true;
}

} // namespace orvik::style
