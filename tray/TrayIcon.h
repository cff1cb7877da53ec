#pragma once

#include "tray/SimpleTimer.h"
#include "tray/TrayShell.h"

#include <QIcon>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class TTrayIconHandler;

enum class TMouseButton { Left, Right, Middle };

// Modifier keys held and the button of the notification.
enum TShiftFlag : unsigned {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
};
using TShiftState = unsigned;

// Classic: right-button releases are reported as such; Version3: the newer notification
// behaviour, where the context-menu, select and key-select codes stand for the release.
enum class TTrayBehavior { Classic = 0, Version3 = 1 };

// One icon in the notification area for the window that owns it: reports mouse activity on the
// icon, cycles through IconList, shows PopupMenu, and can hide the window to the tray.
//
// Usage on a main window (the owner must be a widget of that window):
//
//     TrayIcon = new TTrayIcon(this);           // owned by the window, removed with it
//     TrayIcon->setIcon(OrvikIcon());
//     TrayIcon->setHint(QStringLiteral("Orvik"));
//     TrayIcon->setMinimizeToTray(true);        // icon stays hidden until the window is
//                                               // minimised
//     TrayIcon->OnDblClick = [this](TTrayIcon*) { TrayIcon->RestoreMainWindow(); };
//
// Minimising the window then shows the icon with its tip and hides the window (its taskbar
// button goes with it); where no notification area takes the icon the window is only
// minimised; a double-click on the icon shows the window again, unminimised and in front. The
// icon stays until the window is minimised again or the component is destroyed.
//
// Events are plain callbacks; each is optional. An exception thrown by one is shown by the
// application's error box and goes no further.
class TTrayIcon : public QObject {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TTrayIcon* Sender)>;
    using TMouseEvent = std::function<void(TTrayIcon* Sender, TMouseButton Button,
                                           TShiftState Shift, int X, int Y)>;
    using TMouseMoveEvent = std::function<void(TTrayIcon* Sender, TShiftState Shift, int X, int Y)>;
    using TCycleEvent = std::function<void(TTrayIcon* Sender, int NextIndex)>;
    using TStartupEvent = std::function<void(TTrayIcon* Sender, bool& ShowMainForm)>;

    // A widget owner ties minimise-to-tray and RestoreMainWindow to the owner's window.
    explicit TTrayIcon(QObject* owner = nullptr);
    ~TTrayIcon() override;

    // Stored only; it has no effect outside a form designer.
    bool DesignPreview() const { return designPreview_; }
    void setDesignPreview(bool value) { designPreview_ = value; }

    // Images for IconIndex and for cycling; an empty list counts as none. Setting it selects
    // image 0.
    const QList<QIcon>& IconList() const { return iconList_; }
    void setIconList(const QList<QIcon>& value);

    bool CycleIcons() const { return cycleIcons_; }
    // On: selects image 0 and ticks every CycleInterval ms (never while that is 0).
    void setCycleIcons(bool value);

    quint32 CycleInterval() const { return cycleInterval_; }
    // Restarts cycling, from image 0, when it is on.
    void setCycleInterval(quint32 value);

    // When false, mouse notifications are ignored; balloon notifications still arrive.
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }

    QString Hint() const { return hint_; }
    void setHint(const QString& value);
    bool ShowHint() const { return showHint_; }
    void setShowHint(bool value);

    QIcon Icon() const { return icon_; }
    void setIcon(const QIcon& value);

    // Whether the icon is in the notification area now: false when the area refused it or
    // there is none.
    bool IconVisible() const { return iconVisible_; }
    // Asks for the icon to be shown or removed; a wanted icon is added again when a new
    // notification area appears.
    void setIconVisible(bool value);
    bool IconWanted() const { return iconWanted_; }

    int IconIndex() const { return iconIndex_; }
    // With images: selects that image, the last one when the index is beyond it, the first
    // when it is negative. Without images the index stays 0.
    void setIconIndex(int value);

    QMenu* PopupMenu() const { return popupMenu_; }
    // Not owned; cleared when the menu is destroyed.
    void setPopupMenu(QMenu* value) { popupMenu_ = value; }

    // Also show the popup menu on a left-button press.
    bool LeftPopup() const { return leftPopup_; }
    void setLeftPopup(bool value) { leftPopup_ = value; }

    bool WantEnterExitEvents() const { return wantEnterExit_; }
    void setWantEnterExitEvents(bool value);

    // Minimising the owner's window hides it to the tray.
    bool MinimizeToTray() const { return minimizeToTray_; }
    void setMinimizeToTray(bool value) { minimizeToTray_ = value; }

    TTrayBehavior Behavior() const { return behavior_; }
    void setBehavior(TTrayBehavior value);

    TNotifyEvent OnClick, OnDblClick;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter, OnMouseExit;
    TCycleEvent OnCycle;
    TNotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
    // The window is about to be hidden to the tray because it was minimised.
    TNotifyEvent OnMinimizeToTray;
    // Asked by Loaded(); answering false keeps the main window hidden at start.
    TStartupEvent OnStartup;

    // Call once after the properties and OnStartup are set, when OnStartup is wanted: lets the
    // program start hidden, then sends the current state to the notification area again.
    void Loaded();
    // False when OnStartup asked for the main window not to be shown at start.
    bool ShowMainFormAtStart() const { return showMainFormAtStart_; }

    // Put the icon into, take it out of, or refresh it in the notification area; the result is
    // the area's answer, and IconVisible follows it.
    virtual bool AddIcon();
    virtual bool RemoveIcon();
    virtual bool UpdateIcon();

    // Shows the owner's window again: unminimised, visible, raised and active.
    void RestoreMainWindow();
    // Hides the owner's window, and with it its taskbar button.
    void HideMainWindow();
    void HideTaskbarButton();
    // Shows the icon and, once it is shown, hides the owner's window; without a notification
    // area the window stays as it is.
    virtual void HideToTray();

    // The identifier the notification area knows this icon by.
    quint64 Id() const { return id_; }
    // The record the last command carried.
    const TTrayIconData& IconData() const { return iconData_; }

    const TSimpleTimer& CycleTimer() const { return *cycleTimer_; }
    const TSimpleTimer& ClickTimer() const { return *clickTimer_; }
    const TSimpleTimer& ExitTimer() const { return *exitTimer_; }

protected:
    // Event dispatchers: each calls its event when one is assigned.
    virtual void Click();
    virtual void DblClick();
    virtual void Cycle(int NextIndex);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseExit();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TTrayIconHandler;

    void handleNotification(quint32 code);
    void refreshIconData();
    bool sendCommand(TTrayCommand command);
    TShiftState shiftState(TShiftState button) const;
    void showPopup();
    void executeDefaultItem();
    void cycleStep();
    void clickStep();
    void exitCheck();
    void minimizedToTray();
    void notify(const TNotifyEvent& event);

    TTrayIconHandler* handler_ = nullptr;
    quint64 id_ = 0;
    QPointer<QWidget> form_;
    TTrayIconData iconData_;

    bool designPreview_ = false;
    QList<QIcon> iconList_;
    bool cycleIcons_ = false;
    quint32 cycleInterval_ = 0;
    bool enabled_ = true;
    QString hint_;
    bool showHint_ = true;
    QIcon icon_;
    bool iconVisible_ = false;
    bool iconWanted_ = false;
    int iconIndex_ = 0;
    QPointer<QMenu> popupMenu_;
    bool leftPopup_ = false;
    bool wantEnterExit_ = false;
    bool minimizeToTray_ = false;
    TTrayBehavior behavior_ = TTrayBehavior::Classic;
    bool showMainFormAtStart_ = true;

    std::unique_ptr<TSimpleTimer> cycleTimer_;
    std::unique_ptr<TSimpleTimer> clickTimer_;
    std::unique_ptr<TSimpleTimer> exitTimer_;

    bool leftDown_ = false;
    bool clickPending_ = false;
    bool doubleClicked_ = false;
    bool pointerOutside_ = true;
    QPoint lastPointer_;
};
