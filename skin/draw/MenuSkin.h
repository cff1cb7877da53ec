#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>

class TSkinData;

// The companion of a menu bar or a popup menu: which skin draws it (none: the system look),
// what kind of menu it is, and the pictures made for it (the band of a bar, the background
// of a popup), kept until their size or the skin changes. The menu tracking keeps it up to
// date as menus open and skins change; the skin style's menu family draws and measures by it.
// It is a child of its menu and goes with it.
class TMenuSkin : public QObject {
    Q_OBJECT
public:
    explicit TMenuSkin(QObject* menu);

    // The companion of a menu, or nullptr.
    static TMenuSkin* Of(const QObject* menu);
    // The companion of a menu, made when it has none.
    static TMenuSkin* Ensure(QObject* menu);

    TSkinData* Skin() const;
    void SetSkin(TSkinData* skin);
    // A drop-down of a menu bar, or a submenu of one (otherwise a popup or the system menu).
    bool BarDropDown() const { return barDropDown_; }
    void SetBarDropDown(bool value) { barDropDown_ = value; }

    // What the menu's layout depends on: the skin and its menu pictures. Compared with the
    // value of the last layout to tell whether the menu must be laid out again.
    quint64 LayoutKey() const;
    quint64 LaidOutWith() const { return laidOutWith_; }
    void SetLaidOutWith(quint64 key) { laidOutWith_ = key; }

    // The bar's band with nothing highlighted, for its size and the window's activity.
    const QImage& Band(const QSize& size, bool active);
    // The popup's whole background; null when the skin has no menu background picture.
    const QImage& Background(const QSize& size);

private:
    QPointer<TSkinData> skin_;
    bool barDropDown_ = false;
    quint64 laidOutWith_ = 0;
    QImage picture_;
    quint64 pictureKey_ = 0;
};
