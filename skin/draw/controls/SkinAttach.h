#pragma once

#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QWidget;
class TSkinControl;
#include "skin/data/SkinData.h"

// The skinned controls of one window: the companions the factory gave its controls, and the
// window's palette from before, kept by a child object of the window.
class TSkinControlSet : public QObject {
    Q_OBJECT
public:
    explicit TSkinControlSet(QWidget* window);
    static TSkinControlSet* Of(const QWidget* window);

    TSkinData* Skin() const { return skin_; }
    // The companions still alive, in the order they were made.
    QList<TSkinControl*> Controls() const;

    // Kept by the attach functions below; nothing else writes them.

    QPointer<TSkinData> skin_;
    QList<QPointer<TSkinControl>> controls_;
    bool hadOwnPalette_ = false;
    QPalette ownPalette_;
};

namespace orvik {

// Skins the controls of a window: its palette becomes the skin's, and every control below it
// (not inside other windows) that the factory gives a skinner gets its companion and the skin
// style. Controls that already have one are left alone, so a second call only picks up new
// controls. sender is handed to the skin's OnSkinControl (the window when null). Returns the
// number of companions made.
int AttachSkinControls(QWidget* window, TSkinData& skin, QObject* sender = nullptr);
// Gives every control of the window its style, colours and background back, and the window
// its palette; the companions go.
void DetachSkinControls(QWidget* window);
// After the skin changed: the window's palette and every companion's colours again, controls
// made since the last walk skinned too, everything repainted.
void ReskinControls(QWidget* window);

// Makes the skin style find companions (done by AttachSkinControls; tests call it directly).
void InstallLookProvider();

} // namespace orvik
