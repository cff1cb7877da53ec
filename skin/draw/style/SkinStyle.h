#pragma once

#include "skin/data/SkinData.h"

#include <QPointer>
#include <QProxyStyle>

// What a skinned control's companion tells the painters about it: whether the skin paints it
// at all (a control can be switched back to the system look), and whether a button is drawn
// on its parent's background instead of the face colour.
struct TControlLook {
    bool skinned = true;
    bool parentBackground = false;
};

// The one painter of the controls of skinned windows: a proxy over Fusion that draws every
// control family from the elements of a skin. It is set on the widgets of skinned windows
// while skinning is on; widgets that are not skinned keep the application's style.
//
// The entry points only dispatch (StyleDispatch.cpp): each element goes to a function of one
// control family, which returns whether it handled it; when it did not (no picture for it in
// the skin, the control switched back to the system look), Fusion does.
class TSkinStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit TSkinStyle(TSkinData* skin);
    ~TSkinStyle() override;

    TSkinData* SkinData() const { return skin_; }
    // The one style of a skin data component, made at the first call and kept as its child.
    static TSkinStyle* For(TSkinData* skin);

    // How a widget's companion is found; without one every widget counts as skinned.
    using LookProvider = TControlLook (*)(const QWidget* widget);
    static void SetLookProvider(LookProvider provider);
    static TControlLook LookOf(const QWidget* widget);
    // Whether the skin paints for this widget now: a skin is loaded and the widget is not
    // switched back to the system look. A call without a widget is painted.
    bool Paints(const QWidget* widget) const;

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement ce, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* option, SubControl sc,
                         const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement se, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric pm, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType ct, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint sh, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr, QStyleHintReturn* ret = nullptr) const override;
    SubControl hitTestComplexControl(ComplexControl cc, const QStyleOptionComplex* option,
                                     const QPoint& pos,
                                     const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    // Fusion's own painting, for families that leave a part of a control to it.
    void FusionPrimitive(PrimitiveElement pe, const QStyleOption* option, QPainter* painter,
                         const QWidget* widget) const;
    void FusionControl(ControlElement ce, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const;
    void FusionComplex(ComplexControl cc, const QStyleOptionComplex* option, QPainter* painter,
                       const QWidget* widget) const;
    QRect FusionSubControlRect(ComplexControl cc, const QStyleOptionComplex* option, SubControl sc,
                               const QWidget* widget) const;
    QRect FusionSubElementRect(SubElement se, const QStyleOption* option,
                               const QWidget* widget) const;
    int FusionMetric(PixelMetric pm, const QStyleOption* option, const QWidget* widget) const;
    QSize FusionContentsSize(ContentsType ct, const QStyleOption* option, const QSize& contents,
                             const QWidget* widget) const;

private:
    QPointer<TSkinData> skin_;
};
