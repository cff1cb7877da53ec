#include "skin/draw/style/SkinStyle.h"

#include "skin/data/SkinData.h"
#include "skin/draw/style/StyleCall.h"
#include "skin/draw/style/StyleDispatch.h"

#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>
#include <QWidget>

using orvik::style::TStyleCall;

namespace {

TSkinStyle::LookProvider& lookProvider() {
    static TSkinStyle::LookProvider provider = nullptr;
    return provider;
}

// A painter that fails leaves its control unpainted; nothing escapes into Qt's paint code.
template <typename F> bool guarded(F&& f) {
    try {
        return f();
    } catch (...) {
        return true;
    }
}

} // namespace

TSkinStyle::TSkinStyle(TSkinData* skin)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), skin_(skin) {}

TSkinStyle::~TSkinStyle() = default;

TSkinStyle* TSkinStyle::For(TSkinData* skin) {
    if (!skin)
        return nullptr;
    if (auto* style = skin->findChild<TSkinStyle*>(QString(), Qt::FindDirectChildrenOnly))
        return style;
    auto* style = new TSkinStyle(skin);
    style->setParent(skin);
    return style;
}

void TSkinStyle::SetLookProvider(LookProvider provider) {
    lookProvider() = provider;
}

TControlLook TSkinStyle::LookOf(const QWidget* widget) {
    return widget && lookProvider() ? lookProvider()(widget) : TControlLook{};
}

bool TSkinStyle::Paints(const QWidget* widget) const {
    if (!skin_ || skin_->Loading())
        return false;
    // Menus have companions of their own, which the menu family asks.
    if (qobject_cast<const QMenu*>(widget) || qobject_cast<const QMenuBar*>(widget))
        return true;
    return LookOf(widget).skinned;
}

void TSkinStyle::drawPrimitive(PrimitiveElement pe, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    if (painter && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, painter, widget};
        if (guarded([&] { return orvik::style::DispatchPrimitive(pe, call); }))
            return;
    }
    QProxyStyle::drawPrimitive(pe, option, painter, widget);
}

void TSkinStyle::drawControl(ControlElement ce, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    if (painter && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, painter, widget};
        if (guarded([&] { return orvik::style::DispatchControl(ce, call); }))
            return;
    }
    QProxyStyle::drawControl(ce, option, painter, widget);
}

void TSkinStyle::drawComplexControl(ComplexControl cc, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    if (painter && option && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, painter, widget};
        if (guarded([&] { return orvik::style::DispatchComplex(cc, call); }))
            return;
    }
    QProxyStyle::drawComplexControl(cc, option, painter, widget);
}

QRect TSkinStyle::subControlRect(ComplexControl cc, const QStyleOptionComplex* option,
                                 SubControl sc, const QWidget* widget) const {
    if (option && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, nullptr, widget};
        QRect out;
        if (orvik::style::DispatchSubControlRect(cc, sc, call, out))
            return out;
    }
    return QProxyStyle::subControlRect(cc, option, sc, widget);
}

QRect TSkinStyle::subElementRect(SubElement se, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (option && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, nullptr, widget};
        QRect out;
        if (orvik::style::DispatchSubElementRect(se, call, out))
            return out;
    }
    return QProxyStyle::subElementRect(se, option, widget);
}

int TSkinStyle::pixelMetric(PixelMetric pm, const QStyleOption* option,
                            const QWidget* widget) const {
    if (Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, nullptr, widget};
        int out = 0;
        if (orvik::style::DispatchMetric(pm, call, out))
            return out;
    }
    return QProxyStyle::pixelMetric(pm, option, widget);
}

QSize TSkinStyle::sizeFromContents(ContentsType ct, const QStyleOption* option,
                                   const QSize& contents, const QWidget* widget) const {
    if (option && Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, nullptr, widget};
        QSize out;
        if (orvik::style::DispatchContentsSize(ct, call, contents, out))
            return out;
    }
    return QProxyStyle::sizeFromContents(ct, option, contents, widget);
}

int TSkinStyle::styleHint(StyleHint sh, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* ret) const {
    if (Paints(widget)) {
        const TStyleCall call{*this, *skin_, option, nullptr, widget};
        int out = 0;
        if (orvik::style::DispatchStyleHint(sh, call, out))
            return out;
    }
    return QProxyStyle::styleHint(sh, option, widget, ret);
}

QStyle::SubControl TSkinStyle::hitTestComplexControl(ComplexControl cc,
                                                     const QStyleOptionComplex* option,
                                                     const QPoint& pos,
                                                     const QWidget* widget) const {
    // Fusion hit-tests through subControlRect of this style, so the skin's geometry holds.
    return QProxyStyle::hitTestComplexControl(cc, option, pos, widget);
}

void TSkinStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    orvik::style::PolishWidget(*this, widget);
}

void TSkinStyle::unpolish(QWidget* widget) {
    orvik::style::UnpolishWidget(*this, widget);
    QProxyStyle::unpolish(widget);
}

void TSkinStyle::FusionPrimitive(PrimitiveElement pe, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    QProxyStyle::drawPrimitive(pe, option, painter, widget);
}

void TSkinStyle::FusionControl(ControlElement ce, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    QProxyStyle::drawControl(ce, option, painter, widget);
}

void TSkinStyle::FusionComplex(ComplexControl cc, const QStyleOptionComplex* option,
                               QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(cc, option, painter, widget);
}

QRect TSkinStyle::FusionSubControlRect(ComplexControl cc, const QStyleOptionComplex* option,
                                       SubControl sc, const QWidget* widget) const {
    return QProxyStyle::subControlRect(cc, option, sc, widget);
}

QRect TSkinStyle::FusionSubElementRect(SubElement se, const QStyleOption* option,
                                       const QWidget* widget) const {
    return QProxyStyle::subElementRect(se, option, widget);
}

int TSkinStyle::FusionMetric(PixelMetric pm, const QStyleOption* option,
                             const QWidget* widget) const {
    return QProxyStyle::pixelMetric(pm, option, widget);
}

QSize TSkinStyle::FusionContentsSize(ContentsType ct, const QStyleOption* option,
                                     const QSize& contents, const QWidget* widget) const {
    return QProxyStyle::sizeFromContents(ct, option, contents, widget);
}
