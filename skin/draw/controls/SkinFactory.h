#pragma once

#include "skin/draw/controls/SkinControl.h"

#include <QString>

class QObject;
class QWidget;
class TSkinData;

// Which skinner a control of a skinned window gets, in this order (the first that decides
// wins):
//  1. a control whose "Tag" is the skin's DisableTag keeps the system look;
//  2. the skin's OnSkinControl handler, asked first;
//  3. the skin's Skin3rd lines ("class=keyword"), by the control's class name in lower case:
//     "nil" keeps it unskinned, other keywords name a family, each only with its SkinControls
//     member on;
//  4. the class rules, each only with its SkinControls member on.
namespace orvik {

struct TSkinnerChoice {
    TControlKind kind = TControlKind::None;
    bool setColour = false;
    // A companion the OnSkinControl handler made; it is attached instead of a new one.
    TSkinControl* custom = nullptr;
    // The items of a "radiogroup" or "checkgroup" line become radio or check skinners.
    TControlKind itemKind = TControlKind::None;
};

// The keyword of the Skin3rd line for a class, lower case; empty when no line names it.
QString Skin3rdKeyword(const TSkinData& skin, const QString& className);

// Whether the control is one of the plain panels of a window (a frame or a widget of its own
// that holds other controls, or one of our panel classes), not an inner part of another
// control.
bool IsPanel(const QWidget* control);

// The decision for one control; sender is whoever asks (the window's skinner), form the window.
TSkinnerChoice ChooseSkinner(QObject* sender, TSkinData& skin, QWidget* form, QWidget* control);

} // namespace orvik
