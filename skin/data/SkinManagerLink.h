#pragma once

class QObject;
class TSkinData;

// What a skin data component asks of the program's one skin manager. The manager itself lives
// with the painters; a component reaches it through this interface only.
//
// Lifetime: a component registers itself with AddSkinData when it is loaded and deregisters in
// its destructor. A manager that goes away first calls TSkinData::ForgetSkinManager on every
// component it still holds.
class ISkinManager {
public:
    // Deferred commands.
    enum Command { SwitchOn = 1, SwitchOff = 2, Refresh = 3 };
    static constexpr int CommandDelayMs = 250;

    virtual ~ISkinManager() = default;

    virtual void AddSkinData(TSkinData* skinData) = 0;
    virtual void RemoveSkinData(TSkinData* skinData) = 0;
    // Starts watching the program's windows (new and activated windows, popup menus).
    virtual void InstallHook() = 0;
    // The component the next command acts for.
    virtual void SetCurrentSkinData(TSkinData* skinData) = 0;
    // One pending command, carried out after intervalMs once the manager has been started,
    // at once before that.
    virtual void PostCommand(int command, int intervalMs) = 0;
    // Counts a component as started: from now on commands go through the timer.
    virtual void MarkStarted() = 0;
    virtual bool IsStarted() const = 0;
    // Turns skinning of new windows on.
    virtual void EnableSkinning() = 0;
    // Skins the owner of a component at once when it is a visible form.
    virtual void SkinForm(QObject* owner) = 0;
    // Every skinned window of the current component re-reads the skin now.
    virtual void RefreshForms() = 0;
};
