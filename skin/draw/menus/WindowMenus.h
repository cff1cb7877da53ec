#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class QMenuBar;
class QWidget;
class TSkinData;

// The menus of one skinned window: its menu bar and every popup menu it holds (the bar's
// drop-downs and their submenus, context menus, the system menu), drawn by the skin while the
// skin is in force and each kind passes the skin's gates, in the system look otherwise. It
// follows the skin: after a switch the bar, the open menus and the next ones to open are laid
// out and drawn anew; with skins switched off, or when released, every menu gets its system look
// back. A child of its window.
class TWindowMenus : public QObject {
    Q_OBJECT
public:
    TWindowMenus(QWidget* window, TSkinData* skin);
    ~TWindowMenus() override;

    static TWindowMenus* Of(const QWidget* window);

    // The skin while it is in force for the window (on and loaded), else nullptr.
    TSkinData* Skin() const;
    // Dresses the bar and the menus by the skin's state now.
    void Apply();
    // Gives the bar and every menu their system look back (the window stays, unskinned).
    void Release();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dressBar(QMenuBar* bar, TSkinData* skin);

    QPointer<QWidget> window_;
    QPointer<TSkinData> skin_;
    bool applyQueued_ = false;
};
