#pragma once

#include "skin/data/SkinData.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/draw/WinSkinForm.h"

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

// The program's one skin manager: it watches the program's windows through an application-wide
// event filter, decides for every shown or activated top-level window whether it is skinned and
// by which skin data component, gives each skinned window its frame skinner (a TWinSkinForm,
// a child of the window), and carries out the switch-on, switch-off and refresh commands the
// components send, deferred through a timer so that a component may switch skins from inside
// an event handler.
//
// Popup menus are only recorded here (PopupMenus(), the popup hook): the menu painters decide
// how they are drawn.
class TSkinManage : public QObject, public ISkinManager {
    Q_OBJECT
public:
    // Makes the frame skinner of a window; the default makes a TWinSkinForm.
    using FormFactory = std::function<TWinSkinForm*(QWidget* window, TSkinData* skin)>;
    // Told about every popup menu as it is shown.
    using PopupHook = std::function<void(QMenu* menu)>;

    // The run states: nothing started yet (commands act at once), started (commands go through
    // the timer), going away.
    enum { NotStarted = 0, Started = 1, Destroying = 4 };

    explicit TSkinManage(QObject* parent = nullptr);
    ~TSkinManage() override;

    // The program's manager, made (a child of the application) at the first call; the skin
    // data components reach it from then on.
    static TSkinManage& Program();
    // Makes the skin data components use Program() as their manager.
    static void UseProgramManager();

    // --- what the skin data components ask ---
    void AddSkinData(TSkinData* skinData) override;
    void RemoveSkinData(TSkinData* skinData) override;
    void InstallHook() override;
    void SetCurrentSkinData(TSkinData* skinData) override { commandSkinData_ = skinData; }
    void PostCommand(int command, int intervalMs) override;
    void MarkStarted() override;
    bool IsStarted() const override { return runState_ >= Started; }
    void EnableSkinning() override { enabled_ = true; }
    void SkinForm(QObject* owner) override;
    void RefreshForms() override;

    // --- windows ---
    // Skins a window when every test passes; true when a frame skinner was made for it.
    bool SkinWindow(QWidget* window);
    // The component that would skin this window, or nullptr.
    TSkinData* ChooseSkinData(const QWidget* window) const;
    // Whether the manager's own rules let a window class be skinned (the "preview" rule, then
    // the main component's DoFormSkin).
    bool MayBeSkinned(const QString& className) const;
    TWinSkinForm* FindSkinForm(const QWidget* window) const;
    // Called by a frame skinner that goes away.
    void RemoveSkinForm(TWinSkinForm* form);
    QList<TWinSkinForm*> Forms() const;
    void SetFormFactory(FormFactory factory) { factory_ = std::move(factory); }

    // Standard dialogs and message boxes, which take a dialog component when one is loaded.
    static bool IsDialogWindow(const QWidget* window);

    // --- popup menus ---
    QList<QMenu*> PopupMenus() const;
    void SetPopupHook(PopupHook hook) { popupHook_ = std::move(hook); }

    // --- state ---
    bool Enabled() const { return enabled_; }
    bool Scanning() const { return scanning_; }
    // The switch-on scan sets it: ordinary child windows may then be skinned too.
    void SetScanning(bool value) { scanning_ = value; }
    int RunState() const { return runState_; }
    int PendingCommand() const { return pendingCommand_; }
    bool CommandPending() const { return timer_.isActive(); }
    TSkinData* CommandSkinData() const { return commandSkinData_; }
    TSkinData* MainSkinData() const { return mainSkinData_; }
    const QList<QPointer<TSkinData>>& SkinDatas() const { return skinDatas_; }

    // Carries out the pending command now (the timer's work).
    void ExecuteCommand();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dropDestroyedForms();
    void releaseForm(TWinSkinForm* form);
    void recordPopup(QMenu* menu);

    QTimer timer_;
    bool hookInstalled_ = false;
    QList<QPointer<TWinSkinForm>> forms_;
    QList<QPointer<QMenu>> popups_;
    QList<QPointer<TSkinData>> skinDatas_;
    bool enabled_ = false;
    bool scanning_ = false;
    int runState_ = NotStarted;
    int pendingCommand_ = 0;
    QPointer<TSkinData> commandSkinData_;
    QPointer<TSkinData> mainSkinData_;
    FormFactory factory_;
    PopupHook popupHook_;
};
