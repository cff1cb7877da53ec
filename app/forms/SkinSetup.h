#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QSettings;
class TSkinData;

// The Skins submenu, "Use Skins" and the skin choice kept in settings.ini (section "Skins":
// "Skin" = file name in a skins folder, "Active" = "1" or "0"). Where the file and the skins
// folders are is orvik::settingsPath() and orvik::skinFolders().
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

    // The settings file's path (orvik::settingsPath()).
    static QString settingsPath();

private:
    void write(const QString& key, const QString& value);

    TSkinData& engine_;
    QMenu* mnuSkins_;
    QAction* mnuUseSkins_;
    std::unique_ptr<QSettings> SettingsFile;
};
