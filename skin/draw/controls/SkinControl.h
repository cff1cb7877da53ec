#pragma once

#include <QObject>
#include <QPalette>
#include <QPointer>

class QStyle;
class QWidget;
#include "skin/data/SkinData.h"

// The family a skinned control belongs to: which painter draws it and what its companion does
// to it besides setting the skin style (panels are recoloured and lose the parent background).
enum class TControlKind {
    None,
    Button,
    BitButton,
    SpeedButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Edit,
    UpDown,
    ComboBox,
    ScrollBar,
    ScrollView,
    TrackBar,
    Tab,
    Header,
    StatusBar,
    Progress,
    Panel,
    ItemView,
};

// The companion of a skinned control: a child object of its widget (so it goes with it),
// found through Of. It holds what Qt does not carry per control: whether the skin paints it
// (SKM_SKINENABLE turns that on and off), and what it changed on the widget so that Detach can
// give it back (the widget's own style, its own palette, its background filling, its own style
// sheet, which would otherwise draw the control past the skin style). Hot,
// pressed, focused, checked and disabled come from the style options, not from here.
class TSkinControl : public QObject {
    Q_OBJECT
public:
    enum State { Created = 0, Attached = 1, Detached = 2, Destroying = 4 };

    // setColour: the companion gives the control the skin's colours (and takes its parent
    // background away unless the skin keeps parent backgrounds).
    TSkinControl(QWidget* control, TControlKind kind, bool setColour = false);
    ~TSkinControl() override;

    static TSkinControl* Of(const QObject* control);

    TControlKind Kind() const { return kind_; }
    QWidget* Control() const;
    TSkinData* Skin() const { return skin_; }
    int State() const { return state_; }
    bool SetsColour() const { return setColour_; }
    // Whether the skin paints the control now: attached and enabled for the skin.
    bool Paints() const { return state_ == Attached && enabled_ && skin_; }
    bool SkinEnabled() const { return enabled_; }
    void SetSkinEnabled(bool enabled);
    // A button drawn on its parent's background instead of the face colour (Tag 5555, or the
    // skin's transparency option).
    bool ParentBackground() const;

    // Sets the skin style on the control and, with setColour, the skin's colours. A second
    // attach is ignored.
    void Attach(TSkinData& skin);
    // Gives back the style, the style sheet, the colours and the background filling the
    // control had.
    void Detach();
    // After the skin changed: the colours again, and a repaint.
    void Reskin();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyColours();
    void restoreColours();

    TControlKind kind_;
    bool setColour_;
    QPointer<TSkinData> skin_;
    int state_ = Created;
    bool enabled_ = true;
    // What Detach puts back.
    bool hadOwnStyle_ = false;
    QPointer<QStyle> ownStyle_;
    bool recoloured_ = false;
    bool hadOwnPalette_ = false;
    QPalette ownPalette_;
    bool filledBackground_ = false;
    QString ownSheet_;
};
