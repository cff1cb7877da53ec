#include "skin/draw/style/StyleDispatch.h"

#include "skin/draw/style/ButtonFamily.h"
#include "skin/draw/style/CheckFamily.h"
#include "skin/draw/style/ComboFamily.h"
#include "skin/draw/style/FieldFamily.h"
#include "skin/draw/style/GroupFamily.h"
#include "skin/draw/style/HeaderStyle.h"
#include "skin/draw/style/MenuFamily.h"
#include "skin/draw/style/ProgressStyle.h"
#include "skin/draw/style/ScrollBarStyle.h"
#include "skin/draw/style/SliderStyle.h"
#include "skin/draw/style/StatusBarStyle.h"
#include "skin/draw/style/TabStyle.h"
#include "skin/draw/style/ViewFamily.h"

// Each case names the family that paints the element; the families live in files of their own
// (one header per family below). Elements without a case are Fusion's.

namespace orvik::style {

bool DispatchPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    switch (pe) {
    case QStyle::PE_PanelScrollAreaCorner:
    case QStyle::PE_Frame:
        return DrawScrollAreaPrimitive(pe, call);
    case QStyle::PE_FrameTabWidget:
    case QStyle::PE_FrameTabBarBase:
    case QStyle::PE_IndicatorTabClose:
        return DrawTabPrimitive(pe, call);
    case QStyle::PE_PanelStatusBar:
    case QStyle::PE_FrameStatusBarItem:
        return DrawStatusBarPrimitive(pe, call);
    case QStyle::PE_PanelMenu:
    case QStyle::PE_FrameMenu:
    case QStyle::PE_PanelMenuBar:
        return DrawMenuPrimitive(pe, call);
    case QStyle::PE_IndicatorCheckBox:
    case QStyle::PE_IndicatorRadioButton:
    case QStyle::PE_IndicatorItemViewItemCheck:
        return DrawCheckPrimitive(pe, call);
    case QStyle::PE_PanelLineEdit:
    case QStyle::PE_FrameLineEdit:
        return DrawFieldPrimitive(pe, call);
    case QStyle::PE_PanelItemViewItem:
    case QStyle::PE_PanelItemViewRow:
        return DrawViewPrimitive(pe, call);
    default:
        return false;
    }
    (void)call;
}

bool DispatchControl(QStyle::ControlElement ce, const TStyleCall& call) {
    switch (ce) {
    case QStyle::CE_ShapedFrame:
        // Memos have the flat border of edits; other scroll views the two-pixel frame.
        return DrawFieldControl(ce, call) || DrawScrollAreaControl(ce, call);
    case QStyle::CE_TabBarTabShape:
    case QStyle::CE_TabBarTabLabel:
        return DrawTabControl(ce, call);
    case QStyle::CE_HeaderSection:
    case QStyle::CE_HeaderEmptyArea:
    case QStyle::CE_HeaderLabel:
        return DrawHeaderControl(ce, call);
    case QStyle::CE_SizeGrip:
        return DrawStatusBarControl(ce, call);
    case QStyle::CE_ProgressBarGroove:
    case QStyle::CE_ProgressBarContents:
    case QStyle::CE_ProgressBarLabel:
        return DrawProgressControl(ce, call);
    case QStyle::CE_MenuBarItem:
    case QStyle::CE_MenuBarEmptyArea:
    case QStyle::CE_MenuItem:
    case QStyle::CE_MenuEmptyArea:
        return DrawMenuControl(ce, call);
    case QStyle::CE_PushButton:
        return DrawButtonControl(ce, call);
    case QStyle::CE_ComboBoxLabel:
        return DrawComboControl(ce, call);
    default:
        return false;
    }
    (void)call;
}

bool DispatchComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    switch (cc) {
    case QStyle::CC_ScrollBar:
        return DrawScrollBarComplex(cc, call);
    case QStyle::CC_Slider:
        return DrawSliderComplex(cc, call);
    case QStyle::CC_ToolButton:
        return DrawButtonComplex(cc, call);
    case QStyle::CC_GroupBox:
        return DrawGroupComplex(cc, call);
    case QStyle::CC_SpinBox:
        return DrawFieldComplex(cc, call);
    case QStyle::CC_ComboBox:
        return DrawComboComplex(cc, call);
    default:
        return false;
    }
    (void)call;
}

bool DispatchSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc,
                            const TStyleCall& call, QRect& out) {
    switch (cc) {
    case QStyle::CC_ScrollBar:
        return ScrollBarSubControlRect(cc, sc, call, out);
    case QStyle::CC_Slider:
        return SliderSubControlRect(cc, sc, call, out);
    case QStyle::CC_ComboBox:
        return ComboSubControlRect(cc, sc, call, out);
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
    case QStyle::PM_ScrollBarExtent:
    case QStyle::PM_ScrollBarSliderMin:
    case QStyle::PM_DefaultFrameWidth:
        return ScrollBarMetric(pm, call, out);
    case QStyle::PM_SliderLength:
    case QStyle::PM_SliderControlThickness:
    case QStyle::PM_SliderThickness:
        return SliderMetric(pm, call, out);
    case QStyle::PM_MenuBarPanelWidth:
    case QStyle::PM_MenuBarItemSpacing:
    case QStyle::PM_MenuBarVMargin:
    case QStyle::PM_MenuBarHMargin:
    case QStyle::PM_MenuPanelWidth:
    case QStyle::PM_MenuHMargin:
    case QStyle::PM_MenuVMargin:
        return MenuMetric(pm, call, out);
    case QStyle::PM_IndicatorWidth:
    case QStyle::PM_IndicatorHeight:
    case QStyle::PM_ExclusiveIndicatorWidth:
    case QStyle::PM_ExclusiveIndicatorHeight:
        return CheckMetric(pm, call, out);
    case QStyle::PM_TabBarTabHSpace:
        return TabMetric(pm, call, out);
    default:
        return false;
    }
    (void)call;
    (void)out;
}

bool DispatchContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                          QSize& out) {
    switch (ct) {
    case QStyle::CT_MenuBarItem:
    case QStyle::CT_MenuItem:
        return MenuContentsSize(ct, call, contents, out);
    case QStyle::CT_TabBarTab:
        return TabContentsSize(ct, call, contents, out);
    default:
        return false;
    }
    (void)call;
    (void)contents;
    (void)out;
}

bool DispatchStyleHint(QStyle::StyleHint sh, const TStyleCall& call, int& out) {
    switch (sh) {
    case QStyle::SH_MenuBar_AltKeyNavigation:
        return MenuStyleHint(sh, call, out);
    default:
        return false;
    }
    (void)call;
    (void)out;
}

void PolishWidget(TSkinStyle& style, QWidget* widget) {
    PolishScrollArea(style, widget);
    PolishTabs(style, widget);
    PolishHeader(style, widget);
    PolishStatusBar(style, widget);
}

void UnpolishWidget(TSkinStyle& style, QWidget* widget) {
    UnpolishScrollArea(style, widget);
    UnpolishTabs(style, widget);
    UnpolishStatusBar(style, widget);
}

} // namespace orvik::style
