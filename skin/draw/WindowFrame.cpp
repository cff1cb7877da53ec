#include "skin/draw/WindowFrame.h"

#include "skin/data/SkinData.h"
#include "skin/draw/SkinCaption.h"
#include "skin/draw/SkinManage.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/SystemMenu.h"

#include <QDialog>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {

// The caption as the window manager would show it: the modification mark placeholder goes.
QString captionOf(const QWidget* window) {
    QString text = window->windowTitle();
    text.replace(QLatin1String("[*]"),
                 window->isWindowModified() ? QStringLiteral("*") : QString());
    return text;
}

constexpr int kSmallIcon = 16;

} // namespace

TWindowFrame::TWindowFrame(QWidget* window, TSkinData* skin, QObject* parent)
    : QObject(parent), window_(window), skin_(skin) {
    setObjectName(QStringLiteral("TWindowFrame"));
}

// The light release: the frame goes with a window that goes, so the window is not touched
// beyond losing the filter. Unhook gives a living window its frame back.
TWindowFrame::~TWindowFrame() {
    if (hooked_ && window_)
        window_->removeEventFilter(this);
}

bool TWindowFrame::HasCaption(Qt::WindowFlags flags) {
    if (flags.testFlag(Qt::FramelessWindowHint))
        return false;
    switch (flags & Qt::WindowType_Mask) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Drawer:
    case Qt::Tool:
        break;
    default:
        return false; // popups, tool tips, splash screens, the desktop, child widgets
    }
    return !flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowTitleHint);
}

bool TWindowFrame::HasCaption(const QWidget* window) {
    return window && window->isWindow() && HasCaption(window->windowFlags());
}

orvik::TFrameState TWindowFrame::State() const {
    orvik::TFrameState s;
    if (!window_)
        return s;
    s.size = window_->size();
    const orvik::TSystemMenuState menu = orvik::SystemMenuStateOf(window_);
    s.dialogClass = TSkinManage::IsDialogWindow(window_);
    if (!HasCaption(hooked_ ? savedFlags_ : window_->windowFlags()))
        s.kind = orvik::TBorderKind::None;
    else if (s.dialogClass)
        s.kind = orvik::TBorderKind::Dialog;
    else if (menu.sizeable)
        s.kind = orvik::TBorderKind::Sizeable;
    else if (qobject_cast<const QDialog*>(window_.data()))
        s.kind = orvik::TBorderKind::Dialog;
    else
        s.kind = orvik::TBorderKind::Single;
    s.active = window_->isActiveWindow();
    s.maximised = menu.maximised;
    s.minimised = menu.minimised;
    const Qt::WindowFlags flags = hooked_ ? savedFlags_ : window_->windowFlags();
    s.systemMenu =
        !flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowSystemMenuHint);
    s.maximiseBox = menu.maximiseBox && menu.sizeable;
    s.minimiseBox = menu.minimiseBox;
    s.rightToLeft = window_->layoutDirection() == Qt::RightToLeft;
    s.popupStyle = window_->windowType() == Qt::Dialog;
    return s;
}

const orvik::TFrameLayout& TWindowFrame::Layout() {
    if (layoutCaption_ != TSkinCaption::IsActive())
        layoutDirty_ = true;
    if (layoutDirty_ && window_ && skin_) {
        layoutCaption_ = TSkinCaption::IsActive();
        QPointer<QWidget> window = window_;
        const auto ask = [window](int code, int action) {
            return window &&
                   orvik::SendSkinMessage(window, orvik::SKM_BUTTONVISIBLE, code, action) > 0;
        };
        layout_ = orvik::LayoutFrame(*skin_, State(), captionOf(window_), skin_->CaptionFont(),
                                     TSkinCaption::IsActive(), ask);
        layoutDirty_ = false;
    }
    return layout_;
}

QSize TWindowFrame::ClientSize() const {
    if (!window_)
        return {};
    if (!hooked_)
        return window_->size();
    const QMargins m = borders_.Margins();
    return window_->size().shrunkBy(m);
}

void TWindowFrame::Hook() {
    if (hooked_ || !window_ || !skin_ || skin_->Loading())
        return;
    savedFlags_ = window_->windowFlags();
    if (!HasCaption(savedFlags_))
        return;
    const QSize client = window_->size();
    savedMargins_ = window_->contentsMargins();
    savedMouseTracking_ = window_->hasMouseTracking();
    // A shape does not cut a window on Wayland: there the see-through pixels are painted with
    // alpha 0 into a translucent window.
    translucent_ = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (translucent_) {
        savedTranslucent_ = window_->testAttribute(Qt::WA_TranslucentBackground);
        window_->setAttribute(Qt::WA_TranslucentBackground, true);
    }
    hooked_ = true;
    setFrameless(true);
    window_->setMouseTracking(true);
    window_->installEventFilter(this);
    borders_ = orvik::BorderSizes(*skin_, State().kind);
    readIcon();
    saveLimits();
    applyMargins();
    resizeAround(client);
    invalidate();
    updateOutline();
}

void TWindowFrame::Unhook() {
    if (!hooked_)
        return;
    hooked_ = false;
    if (!window_)
        return;
    const QSize client = window_->size().shrunkBy(borders_.Margins());
    window_->removeEventFilter(this);
    borders_ = {};
    applyMargins();
    window_->clearMask();
    window_->setMouseTracking(savedMouseTracking_);
    if (translucent_)
        window_->setAttribute(Qt::WA_TranslucentBackground, savedTranslucent_);
    setFrameless(false);
    if (QWindow* handle = window_->windowHandle())
        handle->unsetCursor();
    resizeAround(client);
    outline_ = QRegion();
    window_->update();
}

void TWindowFrame::ReadSkin() {
    if (!hooked_ || !window_ || !skin_ || skin_->Loading())
        return;
    const QSize client = ClientSize();
    const orvik::TBorderSizes borders = orvik::BorderSizes(*skin_, State().kind);
    outlines_.Clear();
    if (borders != borders_) {
        borders_ = borders;
        applyMargins();
        resizeAround(client);
    }
    invalidate();
    updateOutline();
}

// A window in its normal state takes the size of its client area and the borders reserved now;
// a maximised, minimised or full-screen one keeps the size it has.
void TWindowFrame::resizeAround(QSize client) {
    const Qt::WindowStates ws = window_->windowState();
    if (!(ws & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        window_->resize(client.grownBy(borders_.Margins()));
}

void TWindowFrame::Repaint() {
    if (!hooked_ || !window_)
        return;
    invalidate();
}

void TWindowFrame::SetLook(int button, orvik::TButtonLook look) {
    if (button < 0)
        look = orvik::TButtonLook::Idle;
    if (look_.hotButton == button && look_.hotLook == look)
        return;
    const orvik::TFrameLayout& layout = Layout();
    QRegion changed;
    for (int index : {look_.hotButton, button})
        if (index >= 0 && index < layout.buttons.size())
            changed += layout.buttons[index].rect;
    look_.hotButton = button;
    look_.hotLook = look;
    dirty_ = true;
    if (window_)
        window_->update(changed);
}

void TWindowFrame::setFrameless(bool frameless) {
    Qt::WindowFlags flags = window_->windowFlags();
    flags.setFlag(Qt::FramelessWindowHint,
                  frameless || savedFlags_.testFlag(Qt::FramelessWindowHint));
    if (flags == window_->windowFlags())
        return;
    // Told to the platform window directly: going through setWindowFlags would hide the
    // window and make it again.
    window_->overrideWindowFlags(flags);
    if (QWindow* handle = window_->windowHandle())
        handle->setFlags(flags);
}

void TWindowFrame::saveLimits() {
    savedMinimum_ = window_->minimumSize();
    savedMaximum_ = window_->maximumSize();
    // The limits are those of the inside and grow by the frame, unless a layout set them: it
    // counts the contents margins itself.
    QLayout* layout = window_->layout();
    if (layout)
        layout->activate();
    growMinimum_ =
        !savedMinimum_.isEmpty() && (!layout || savedMinimum_ != layout->totalMinimumSize());
    growMaximum_ = savedMaximum_ != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) &&
                   (!layout || savedMaximum_ != layout->totalMaximumSize());
}

void TWindowFrame::applyMargins() {
    const QMargins m = borders_.Margins();
    window_->setContentsMargins(savedMargins_ + m);
    const QSize grow(m.left() + m.right(), m.top() + m.bottom());
    const auto limit = [grow](QSize saved) {
        return QSize(
            saved.width() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : saved.width() + grow.width(),
            saved.height() >= QWIDGETSIZE_MAX ? QWIDGETSIZE_MAX : saved.height() + grow.height());
    };
    // Growing, the maximum first; shrinking back, the minimum first.
    const bool growing = !grow.isNull();
    if (growing && growMaximum_)
        window_->setMaximumSize(limit(savedMaximum_));
    if (growMinimum_)
        window_->setMinimumSize(limit(savedMinimum_));
    if (!growing && growMaximum_)
        window_->setMaximumSize(limit(savedMaximum_));
    // A window without a layout places its children itself, from its top-left corner: they
    // move with the inside of the frame.
    const QPoint shift(m.left(), m.top());
    if (!window_->layout() && shift != childShift_) {
        const QPoint by = shift - childShift_;
        for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow())
                child->move(child->pos() + by);
        childShift_ = shift;
    }
}

void TWindowFrame::readIcon() {
    const QIcon icon = window_->windowIcon();
    look_.icon = icon.isNull() ? QImage() : icon.pixmap(kSmallIcon, kSmallIcon).toImage();
}

QRegion TWindowFrame::frameRegion() const {
    if (!window_)
        return {};
    return QRegion(window_->rect()) - QRegion(layout_.Client());
}

void TWindowFrame::invalidate() {
    layoutDirty_ = true;
    dirty_ = true;
    if (!window_)
        return;
    Layout();
    window_->update(frameRegion());
}

void TWindowFrame::updateOutline() {
    if (!hooked_ || !window_ || !skin_ || window_->size().isEmpty())
        return;
    const QRegion whole(window_->rect());
    if (translucent_) {
        outline_ = whole;
        return;
    }
    const QRegion& region = outlines_.Get(*skin_, State());
    if (!outlines_.LastWasRebuilt() && region == outline_)
        return;
    outline_ = region;
    if (region == whole)
        window_->clearMask();
    else
        window_->setMask(region);
}

void TWindowFrame::paint(QPaintEvent* event) {
    if (!skin_ || skin_->Loading())
        return;
    const orvik::TFrameLayout& layout = Layout();
    const QRegion area = event->region() & frameRegion();
    if (area.isEmpty())
        return;
    if (dirty_ || composer_.Image().size() != layout.state.size) {
        composer_.Compose(*skin_, layout, skin_->CaptionFont(), look_);
        dirty_ = false;
    }
    QPainter p(window_);
    p.setClipRegion(area);
    // The see-through pixels keep their alpha 0 in a translucent window.
    if (translucent_)
        p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, composer_.Image());
}

bool TWindowFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || !hooked_)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        paint(static_cast<QPaintEvent*>(event));
        break;
    case QEvent::Resize:
        invalidate();
        updateOutline();
        break;
    case QEvent::WindowIconChange:
        readIcon();
        invalidate();
        break;
    case QEvent::ActivationChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::WindowTitleChange:
    case QEvent::ModifiedChange:
    case QEvent::WindowStateChange:
    case QEvent::LayoutDirectionChange:
        invalidate();
        break;
    default:
        break;
    }
    return false;
}
