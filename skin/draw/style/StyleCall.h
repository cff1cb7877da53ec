#pragma once

#include <QStyle>
#include <QStyleOption>

class QPainter;
class QWidget;
class TSkinData;
class TSkinStyle;

namespace orvik::style {

// What the skin style hands a family painter. Each control family lives in a file of its own
// and offers free functions of these shapes, each returning whether it handled the element
// (false: Fusion does it):
//
//   bool DrawFooPrimitive(QStyle::PrimitiveElement, const TStyleCall&);
//   bool DrawFooControl(QStyle::ControlElement, const TStyleCall&);
//   bool DrawFooComplex(QStyle::ComplexControl, const TStyleCall&);    // option: complex
//   bool FooSubControlRect(QStyle::ComplexControl, QStyle::SubControl, const TStyleCall&,
//                          QRect& out);
//   bool FooSubElementRect(QStyle::SubElement, const TStyleCall&, QRect& out);
//   bool FooMetric(QStyle::PixelMetric, const TStyleCall&, int& out);
//   bool FooContentsSize(QStyle::ContentsType, const TStyleCall&, const QSize& contents,
//                        QSize& out);
//   bool FooStyleHint(QStyle::StyleHint, const TStyleCall&, int& out);
//
// A family decodes the option once into a state value (StyleState.h) and picks its frames
// through the cell functions there; it never tests state bits itself.
struct TStyleCall {
    const TSkinStyle& style;
    const TSkinData& skin;
    const QStyleOption* option; // may be null for metrics and hints
    QPainter* painter;          // null outside drawing
    const QWidget* widget;      // may be null

    template <typename T> const T* as() const { return qstyleoption_cast<const T*>(option); }
};

} // namespace orvik::style
