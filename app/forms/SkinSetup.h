#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class TSettingsFile;
class TSkinData;

// The Skins submenu, "Use Skins" and the skin choice kept in settings.ini (section "Skins":
// "Skin" = file name in a skins folder, "Active" = "1" or "0"). Where the file and the skins
// folders are is orvik::settingsPath() and orvik::skinFolders().
//
// Only a skin that loaded is remembered: a pick the skin component refused leaves the
// settings as they were, and at shutdown "Skin" names the skin file in force (empty while the
// skin stored with the window is in use). "Skin" names a file in a skins folder and nothing
// else: a folder, a path or ".." in it is ignored.
class TSkinSetup : public QObject {
    Q_OBJECT
public:
    TSkinSetup(TSkinData& engine, QMenu* mnuSkins, QAction* mnuUseSkins, QObject* parent);
    ~TSkinSetup() override;

    // Start-up: lists skins/*.skn in the submenu, reads the settings and applies them.
    void SetUp();
    // Shutdown: writes the skin in use and the on/off state, then lets the file go.
    void ShutDown();

    // Picks the skin of a Skins menu item and writes it to the settings at once.
    void SkinMenuItemClick(QAction* item);
    void mnuUseSkinsClick();

    // The settings file, shared by everything kept in it, from SetUp() to ShutDown(); else
    // nullptr.
    TSettingsFile* Settings() const { return SettingsFile.get(); }
    // The settings file's path (orvik::settingsPath()).
    static QString settingsPath();
    // How the skin component's refusals are shown: the old-package text in the plain message
    // box, every other one in the error box.
    static void ShowSkinError(const QString& text);

private:
    // Loads a skin file; true when it is the skin in force now.
    bool loadSkin(const QString& name, const QString& path);
    void write(const QString& key, const QString& value);

    TSkinData& engine_;
    QMenu* mnuSkins_;
    QAction* mnuUseSkins_;
    std::unique_ptr<TSettingsFile> SettingsFile;
    QString skinInForce_; // file name of the skin file in force, empty for the stored skin
};
