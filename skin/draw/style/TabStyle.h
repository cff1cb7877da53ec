#pragma once

#include "skin/draw/style/StyleCall.h"

#include <QImage>
#include <QMargins>
#include <QTabBar>

class QWidget;

// Tabs of tab widgets and tab bars (Stations, Favorites, Search): each tab from the Tabs strip
// (the current tab in its selected frame), the page border from the tab border picture or
// Tab.Pane, the captions in the Tabs element's colours, close marks where a tab bar has them.
// Bottom tabs are mirrored top to bottom, side tabs turned a quarter turn.
namespace orvik::style {

// A picture drawn for top tabs, laid out for tabs on the given side: the same for top tabs,
// mirrored top to bottom for bottom tabs, turned so that its top faces away from the page for
// left and right tabs. Margins follow the picture.
QImage TurnForTabSide(const QImage& picture, QTabBar::Shape shape);
QMargins TurnMarginsForTabSide(const QMargins& margins, QTabBar::Shape shape);

bool DrawTabPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DrawTabControl(QStyle::ControlElement ce, const TStyleCall& call);
// A tab's size: its caption and icon with room for the picture's two ends, never thinner than
// the picture nor shorter than its ends.
bool TabContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                     QSize& out);
bool TabMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);
// Tabs and their close marks follow the mouse; a close mark's click is offered to the window
// first (SKM_TABCLOSE) and frees the page when the window leaves it.
void PolishTabs(TSkinStyle& style, QWidget* widget);
void UnpolishTabs(TSkinStyle& style, QWidget* widget);

} // namespace orvik::style
