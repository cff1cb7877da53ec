#include "tray/TrayIcon.h"

#include "core/ErrorWrapper.h"
#include "tray/TrayIconHandler.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

#include <algorithm>

namespace {

// The tip as the notification area gets it: at most TipLength characters, never ending in
// half of a surrogate pair.
QString tipText(const QString& hint) {
    if (hint.size() <= TTrayIconData::TipLength)
        return hint;
    QString tip = hint.left(TTrayIconData::TipLength);
    if (tip.back().isHighSurrogate())
        tip.chop(1);
    return tip;
}

// A menu pops up on its own unless its dynamic property "AutoPopup" says false.
bool autoPopup(const QMenu* menu) {
    const QVariant value = menu->property("AutoPopup");
    return !value.isValid() || value.toBool();
}

// Calls an event if one is assigned. A copy is called: the handler may replace itself or
// destroy the component while it runs. Its exceptions end at the error box.
template <typename Event, typename... Args> void fire(const Event& event, Args... args) {
    if (!event)
        return;
    Event call = event;
    orvik::runGuarded([&] { call(args...); });
}

} // namespace

TTrayIcon::TTrayIcon(QObject* owner) : QObject(owner) {
    handler_ = TTrayIconHandler::acquire();
    id_ = handler_->registerIcon(this);
    iconData_.Id = id_;

    cycleTimer_ = std::make_unique<TSimpleTimer>(1000, [this](TSimpleTimer*) { cycleStep(); });
    clickTimer_ = std::make_unique<TSimpleTimer>(1000, [this](TSimpleTimer*) { clickStep(); });
    exitTimer_ = std::make_unique<TSimpleTimer>(20, [this](TSimpleTimer*) { exitCheck(); });

    if (auto* widget = qobject_cast<QWidget*>(owner)) {
        form_ = widget->window();
        form_->installEventFilter(this);
    }
}

TTrayIcon::~TTrayIcon() {
    // The icon leaves the notification area first, so nothing more is reported for it.
    orvik::runSilently([this] { setIconVisible(false); });
    cycleTimer_.reset();
    clickTimer_.reset();
    exitTimer_.reset();
    if (form_)
        form_->removeEventFilter(this);
    handler_->unregisterIcon(id_);
    TTrayIconHandler::release();
}

// --- properties ------------------------------------------------------------------------------

void TTrayIcon::setIconList(const QList<QIcon>& value) {
    iconList_ = value;
    setIconIndex(0);
}

void TTrayIcon::setCycleIcons(bool value) {
    cycleIcons_ = value;
    if (value) {
        setIconIndex(0);
        cycleTimer_->setInterval(cycleInterval_);
        cycleTimer_->setEnabled(true);
    } else {
        cycleTimer_->setEnabled(false);
    }
}

void TTrayIcon::setCycleInterval(quint32 value) {
    cycleInterval_ = value;
    setCycleIcons(cycleIcons_);
}

void TTrayIcon::setHint(const QString& value) {
    hint_ = value;
    UpdateIcon();
}

void TTrayIcon::setShowHint(bool value) {
    showHint_ = value;
    UpdateIcon();
}

void TTrayIcon::setIcon(const QIcon& value) {
    icon_ = value;
    UpdateIcon();
}

void TTrayIcon::setIconVisible(bool value) {
    if (value)
        AddIcon();
    else
        RemoveIcon();
}

void TTrayIcon::setIconIndex(int value) {
    if (!iconList_.isEmpty()) {
        iconIndex_ = std::clamp(value, 0, int(iconList_.size()) - 1);
        icon_ = iconList_.at(iconIndex_);
    } else {
        iconIndex_ = 0;
    }
    UpdateIcon();
}

void TTrayIcon::setWantEnterExitEvents(bool value) {
    wantEnterExit_ = value;
    exitTimer_->setEnabled(value);
}

void TTrayIcon::setBehavior(TTrayBehavior value) {
    behavior_ = value;
    sendCommand(TTrayCommand::SetVersion);
}

void TTrayIcon::Loaded() {
    if (form_) {
        bool showMainForm = true;
        if (OnStartup) {
            TStartupEvent call = OnStartup;
            orvik::runGuarded([&] { call(this, showMainForm); });
        }
        if (!showMainForm) {
            showMainFormAtStart_ = false;
            HideMainWindow();
        }
    }
    UpdateIcon();
    setIconVisible(iconWanted_);
    setCycleIcons(cycleIcons_);
    setWantEnterExitEvents(wantEnterExit_);
    setBehavior(behavior_);
}

// --- the notification area -------------------------------------------------------------------

void TTrayIcon::refreshIconData() {
    iconData_.Icon = icon_;
    iconData_.Tip = showHint_ ? tipText(hint_) : QString();
    iconData_.Version = behavior_ == TTrayBehavior::Version3 ? 3 : 0;
}

bool TTrayIcon::sendCommand(TTrayCommand command) {
    refreshIconData();
    return handler_->notifyIcon(command, iconData_);
}

bool TTrayIcon::AddIcon() {
    iconWanted_ = true;
    const bool added = sendCommand(TTrayCommand::Add);
    // A refused add leaves an icon that was already there visible, and none otherwise.
    iconVisible_ = iconVisible_ || added;
    return added;
}

bool TTrayIcon::RemoveIcon() {
    iconWanted_ = false;
    iconVisible_ = false;
    return sendCommand(TTrayCommand::Delete);
}

bool TTrayIcon::UpdateIcon() {
    // Also sent while the icon is not shown; the refusal is of no interest then.
    return sendCommand(TTrayCommand::Modify);
}

// --- the owner's window ----------------------------------------------------------------------

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_ && event->type() == QEvent::WindowStateChange && minimizeToTray_ &&
        form_->isMinimized()) {
        // Hidden once the state change has been delivered everywhere.
        QMetaObject::invokeMethod(this, &TTrayIcon::minimizedToTray, Qt::QueuedConnection);
    }
    return false;
}

void TTrayIcon::minimizedToTray() {
    if (!minimizeToTray_ || !form_ || !form_->isMinimized())
        return;
    // Without a notification area that takes the icon, the window stays minimised as any
    // other: hidden, it could not be reached again.
    setIconVisible(true);
    if (!iconVisible_)
        return;
    QPointer<TTrayIcon> self(this);
    notify(OnMinimizeToTray);
    if (self && form_ && form_->isMinimized())
        HideMainWindow();
}

void TTrayIcon::RestoreMainWindow() {
    if (!form_)
        return;
    if (form_->isMinimized())
        form_->setWindowState(Qt::WindowNoState);
    form_->show();
    form_->raise();
    form_->activateWindow();
}

void TTrayIcon::HideMainWindow() {
    if (!form_)
        return;
    form_->hide();
    HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
    // A top-level window's taskbar button goes when the window is hidden.
    if (form_ && form_->isVisible())
        form_->hide();
}

void TTrayIcon::HideToTray() {
    setIconVisible(true);
    if (iconVisible_)
        HideMainWindow();
}

// --- notifications ---------------------------------------------------------------------------

TShiftState TTrayIcon::shiftState(TShiftState button) const {
    const Qt::KeyboardModifiers keys = handler_->shell().KeyboardModifiers();
    TShiftState state = button;
    if (keys & Qt::ShiftModifier)
        state |= ssShift;
    if (keys & Qt::AltModifier)
        state |= ssAlt;
    if (keys & Qt::ControlModifier)
        state |= ssCtrl;
    return state;
}

void TTrayIcon::handleNotification(quint32 code) {
    const bool balloon = code >= TrayCode::BalloonShow && code <= TrayCode::BalloonClick;
    if (!balloon && !enabled_)
        return;

    // Any event may destroy this component; nothing of it is touched once it has gone.
    QPointer<TTrayIcon> self(this);
    const QPoint pos = balloon ? QPoint() : handler_->shell().CursorPos();
    const int x = pos.x();
    const int y = pos.y();

    switch (code) {
    case TrayCode::MouseMove:
        if (wantEnterExit_ && pointerOutside_) {
            pointerOutside_ = false;
            MouseEnter();
            if (!self)
                return;
        }
        lastPointer_ = pos;
        MouseMove(shiftState(0), x, y);
        break;

    case TrayCode::LeftDown:
        if (OnDblClick) {
            // A single click waits one double-click time for a double-click to cancel it.
            const int time = QGuiApplication::styleHints()->mouseDoubleClickInterval();
            clickTimer_->setInterval(quint32(std::max(time, 0)));
            clickTimer_->Start();
        }
        MouseDown(TMouseButton::Left, shiftState(ssLeft), x, y);
        if (!self)
            return;
        leftDown_ = true;
        if (leftPopup_)
            showPopup();
        break;

    case TrayCode::LeftUp:
        if (leftDown_) {
            clickPending_ = true;
            if (!clickTimer_->Enabled()) {
                leftDown_ = false;
                clickPending_ = false;
                Click();
                if (!self)
                    return;
            }
        }
        leftDown_ = false;
        MouseUp(TMouseButton::Left, shiftState(ssLeft), x, y);
        break;

    case TrayCode::LeftDoubleClick:
        clickPending_ = false;
        // Only a double-click inside the current click cycle cancels its click; one that
        // comes after the cycle ended must not swallow the next click.
        if (clickTimer_->Enabled())
            doubleClicked_ = true;
        DblClick();
        if (!self)
            return;
        if (popupMenu_ && autoPopup(popupMenu_) && !leftPopup_)
            executeDefaultItem();
        break;

    case TrayCode::RightDown:
        MouseDown(TMouseButton::Right, shiftState(ssRight), x, y);
        if (!self)
            return;
        showPopup();
        break;

    case TrayCode::RightUp:
        if (behavior_ == TTrayBehavior::Classic)
            MouseUp(TMouseButton::Right, shiftState(ssRight), x, y);
        break;

    case TrayCode::ContextMenu:
    case TrayCode::Select:
    case TrayCode::KeySelect:
        if (behavior_ == TTrayBehavior::Version3)
            MouseUp(TMouseButton::Right, shiftState(ssRight), x, y);
        break;

    case TrayCode::MiddleDown:
        MouseDown(TMouseButton::Middle, shiftState(ssMiddle), x, y);
        break;

    case TrayCode::MiddleUp:
        MouseUp(TMouseButton::Middle, shiftState(ssMiddle), x, y);
        break;

    case TrayCode::BalloonShow:
        notify(OnBalloonHintShow);
        break;
    case TrayCode::BalloonHide:
        notify(OnBalloonHintHide);
        break;
    case TrayCode::BalloonTimeout:
        notify(OnBalloonHintTimeout);
        break;
    case TrayCode::BalloonClick:
        notify(OnBalloonHintClick);
        break;

    default:
        break;
    }
}

void TTrayIcon::showPopup() {
    QMenu* menu = popupMenu_;
    if (!menu || !autoPopup(menu))
        return;
    // Handlers of the menu can tell which component popped it up.
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject*>(this));
    menu->popup(handler_->shell().CursorPos());
}

void TTrayIcon::executeDefaultItem() {
    QAction* item = popupMenu_ ? popupMenu_->defaultAction() : nullptr;
    if (item && popupMenu_->actions().contains(item))
        item->trigger();
}

// --- timer steps -----------------------------------------------------------------------------

void TTrayIcon::cycleStep() {
    if (iconList_.isEmpty())
        return;
    QPointer<TTrayIcon> self(this);
    icon_ = iconList_.at(iconIndex_);
    Cycle(iconIndex_ < iconList_.size() - 1 ? iconIndex_ + 1 : 0);
    if (!self)
        return;
    // OnCycle may have changed the list; the index setter keeps the step inside it.
    setIconIndex(iconIndex_ < iconList_.size() - 1 ? iconIndex_ + 1 : 0);
}

void TTrayIcon::clickStep() {
    clickTimer_->Stop(true);
    const bool raise = !doubleClicked_ && clickPending_;
    // The click cycle ends here either way; nothing of it carries over into the next one.
    doubleClicked_ = false;
    clickPending_ = false;
    if (raise)
        Click();
}

void TTrayIcon::exitCheck() {
    if (!pointerOutside_ && handler_->shell().CursorPos() != lastPointer_) {
        pointerOutside_ = true;
        MouseExit();
    }
}

// --- event dispatchers -----------------------------------------------------------------------

void TTrayIcon::notify(const TNotifyEvent& event) {
    fire(event, this);
}

void TTrayIcon::Click() {
    fire(OnClick, this);
}

void TTrayIcon::DblClick() {
    fire(OnDblClick, this);
}

void TTrayIcon::Cycle(int NextIndex) {
    fire(OnCycle, this, NextIndex);
}

void TTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    fire(OnMouseDown, this, Button, Shift, X, Y);
}

void TTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    fire(OnMouseUp, this, Button, Shift, X, Y);
}

void TTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
    fire(OnMouseMove, this, Shift, X, Y);
}

void TTrayIcon::MouseEnter() {
    fire(OnMouseEnter, this);
}

void TTrayIcon::MouseExit() {
    fire(OnMouseExit, this);
}
