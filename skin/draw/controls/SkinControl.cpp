#include "skin/draw/controls/SkinControl.h"

#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"

#include <QApplication>
#include <QWidget>

#include <utility>

namespace {

constexpr int ParentBackgroundTag = 5555;

// A control's own palette stands for the face colour when its background is the face or
// window colour of the application: such a control takes the skin's colours. Any other
// colour (the black of the player area) is the program's choice and stays.
bool paletteIsFace(const QPalette& own) {
    const QPalette app = QApplication::palette();
    const QColor c = own.color(QPalette::Window);
    return c == app.color(QPalette::Button) || c == app.color(QPalette::Window);
}

// A style sheet leaves its resolved font on the control and everything inside it as their own,
// and takes it away as the system's font when it goes: controls that were given no font of
// their own take their parents' again.
void inheritFonts(QWidget* control) {
    QList<QWidget*> widgets = control->findChildren<QWidget*>();
    widgets.prepend(control);
    for (QWidget* w : std::as_const(widgets))
        if (!w->testAttribute(Qt::WA_SetFont))
            w->setFont(QFont());
}

} // namespace

TSkinControl::TSkinControl(QWidget* control, TControlKind kind, bool setColour)
    : QObject(control), kind_(kind), setColour_(setColour) {
    setObjectName(QStringLiteral("SkinControl"));
}

// The control may be half destroyed by now: nothing of it is touched here. Detach is what
// gives things back, and the window's skinner calls it before it lets go.
TSkinControl::~TSkinControl() = default;

TSkinControl* TSkinControl::Of(const QObject* control) {
    return control ? control->findChild<TSkinControl*>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

QWidget* TSkinControl::Control() const {
    return static_cast<QWidget*>(parent());
}

void TSkinControl::SetSkinEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (QWidget* w = Control())
        w->update();
}

bool TSkinControl::ParentBackground() const {
    const QWidget* w = Control();
    if (!w || !skin_)
        return false;
    bool ok = false;
    const int tag = w->property("Tag").toInt(&ok);
    return (ok && tag == ParentBackgroundTag) || skin_->Options().contains(xoTransparent);
}

void TSkinControl::Attach(TSkinData& skin) {
    QWidget* w = Control();
    if (!w || state_ == Attached)
        return;
    skin_ = &skin;
    state_ = Attached;
    w->installEventFilter(this);
    // A style sheet's rules are drawn by the sheet, not by the style below it: the control's
    // own sheet is set aside while the skin paints it (before the style is set, so that the
    // skin style is not wrapped in the sheet's).
    ownSheet_ = w->styleSheet();
    if (!ownSheet_.isEmpty()) {
        w->setStyleSheet(QString());
        inheritFonts(w);
        // Below the sheet the window's colours did not reach the control and its children:
        // they take them now.
        if (!w->testAttribute(Qt::WA_SetPalette))
            w->setPalette(QPalette());
    }
    hadOwnStyle_ = w->testAttribute(Qt::WA_SetStyle);
    ownStyle_ = hadOwnStyle_ ? w->style() : nullptr;
    w->setStyle(TSkinStyle::For(&skin));
    applyColours();
    w->update();
}

void TSkinControl::Detach() {
    QWidget* w = Control();
    if (!w || state_ != Attached)
        return;
    state_ = Detached;
    w->removeEventFilter(this);
    restoreColours();
    w->setStyle(hadOwnStyle_ ? ownStyle_.data() : nullptr);
    if (!ownSheet_.isEmpty())
        w->setStyleSheet(std::exchange(ownSheet_, QString()));
    w->update();
}

void TSkinControl::Reskin() {
    QWidget* w = Control();
    if (!w || state_ != Attached)
        return;
    restoreColours();
    applyColours();
    w->update();
}

void TSkinControl::applyColours() {
    QWidget* w = Control();
    if (!w || !skin_)
        return;
    hadOwnPalette_ = w->testAttribute(Qt::WA_SetPalette);
    // Below a style sheet a widget does not take its window's palette: it is given the
    // skin's colours itself.
    const bool sheet = !hadOwnPalette_ && w->testAttribute(Qt::WA_StyleSheet);
    if ((setColour_ && hadOwnPalette_ && paletteIsFace(w->palette())) || sheet) {
        ownPalette_ = w->palette();
        w->setPalette(orvik::style::SkinPalette(*skin_, ownPalette_));
        recoloured_ = true;
    }
    if (!setColour_)
        return;
    // A panel that shows its parent through paints its own face, unless the skin keeps that.
    if (kind_ == TControlKind::Panel && !w->autoFillBackground() &&
        !skin_->Options().contains(xoParentBackGround)) {
        w->setAutoFillBackground(true);
        filledBackground_ = true;
    }
}

void TSkinControl::restoreColours() {
    QWidget* w = Control();
    if (!w)
        return;
    if (recoloured_) {
        w->setPalette(hadOwnPalette_ ? ownPalette_ : QPalette());
        recoloured_ = false;
    }
    if (filledBackground_) {
        w->setAutoFillBackground(false);
        filledBackground_ = false;
    }
}

bool TSkinControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent()) {
        if (event->type() == orvik::SKM_SKINENABLE) {
            SetSkinEnabled(static_cast<orvik::TSkinMessage*>(event)->wParam > 0);
            return true;
        }
        if (event->type() == orvik::SKM_ISSKINNED) {
            static_cast<orvik::TSkinMessage*>(event)->result = 1;
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
