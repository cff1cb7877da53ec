#include "skin/draw/style/StyleDispatch.h"

// Each case names the family that paints the element; the families live in files of their own
// (one header per family below). Elements without a case are Fusion's.

namespace orvik::style {

bool DispatchPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    switch (pe) {
    // Menus: PE_PanelMenu, PE_FrameMenu, PE_PanelMenuBar are the menu family's.
    default:
        return false;
    }
    (void)call;
}

bool DispatchControl(QStyle::ControlElement ce, const TStyleCall& call) {
    switch (ce) {
    // Menus: CE_MenuBarItem, CE_MenuBarEmptyArea, CE_MenuItem, CE_MenuEmptyArea are the menu
    // family's.
    default:
        return false;
    }
    (void)call;
}

bool DispatchComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    switch (cc) {
    default:
        return false;
    }
    (void)call;
}

bool DispatchSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc,
                            const TStyleCall& call, QRect& out) {
    switch (cc) {
    default:
        return false;
    }
    (void)sc;
    (void)call;
    (void)out;
}

bool DispatchSubElementRect(QStyle::SubElement se, const TStyleCall& call, QRect& out) {
    switch (se) {
    default:
        return false;
    }
    (void)call;
    (void)out;
}

bool DispatchMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    switch (pm) {
    // Menus: the PM_Menu* metrics are the menu family's.
    default:
        return false;
    }
    (void)call;
    (void)out;
}

bool DispatchContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                          QSize& out) {
    switch (ct) {
    default:
        return false;
    }
    (void)call;
    (void)contents;
    (void)out;
}

bool DispatchStyleHint(QStyle::StyleHint sh, const TStyleCall& call, int& out) {
    switch (sh) {
    default:
        return false;
    }
    (void)call;
    (void)out;
}

void PolishWidget(TSkinStyle&, QWidget*) {}
void UnpolishWidget(TSkinStyle&, QWidget*) {}

} // namespace orvik::style
