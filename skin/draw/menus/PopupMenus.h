#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QMenu;
class TSkinData;
class TSkinStyle;

// Which kind of menu is about to open: a popup (context) menu, a drop-down of a menu bar (or a
// submenu of one), or a window's system menu.
enum TMenuKind { mkPopup = 0, mkBarDropDown = 1, mkSystemMenu = 2 };

// The program's bookkeeping of open skinned popup menus: which kind of menu opens next, whether
// its items are drawn by its owner, the popups skinned now and the gates of the skin data
// (a popup needs xcPopupMenu, a bar drop-down xcMainMenu or xcMenuItem, the system menu
// xcSystemMenu). It watches every menu of the program open and close: an opening menu is given
// the skin of its window (through the chooser) when its kind passes the gate.
class TPopupMenus : public QObject {
    Q_OBJECT
public:
    explicit TPopupMenus(QObject* parent = nullptr);
    ~TPopupMenus() override;

    // The program's one instance, made on first use (a child of the application).
    static TPopupMenus& Program();

    int MenuKind() const { return menuKind_; }
    void SetMenuKind(int kind) { menuKind_ = kind; }
    bool MenuOwnerDraw() const { return menuOwnerDraw_; }
    void SetMenuOwnerDraw(bool value) { menuOwnerDraw_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }

    // The skin a menu would be drawn with (by default the skin of its window's menus), or none.
    using SkinChooser = std::function<TSkinData*(QMenu* menu)>;
    void SetSkinChooser(SkinChooser chooser) { chooser_ = std::move(chooser); }
    TSkinData* ChooseSkinData(QMenu* menu) const;

    // Whether a skin data component lets a menu of this kind be skinned.
    static bool Allows(const TSkinData& skin, int kind);
    // The kind of a menu from where it hangs: under a menu bar, marked as a system menu, or
    // else a popup.
    static int KindOf(const QMenu* menu);
    static void MarkSystemMenu(QMenu* menu);

    // Skins an opening popup with the chosen skin when its kind (MenuKind) passes the gate;
    // false when it stays in the system look or is skinned already.
    bool SkinPopupMenu(QMenu* menu);
    // The popup closed (or goes away): it leaves the list; with the list empty MenuKind is
    // popup again and MenuOwnerDraw false.
    void UnskinPopupMenu(QMenu* menu);
    bool IsPopupSkinned(const QMenu* menu) const;
    bool IsOwnerDrawn(const QMenu* menu) const;
    void MarkPopupsOwnerDrawn();
    int Count() const;

    // Gives a menu a skin's style and companion (or, with no skin, its system look back): the
    // steady state of the menus of a skinned window. Returns whether the look changed.
    static bool Dress(QMenu* menu, TSkinData* skin, bool barDropDown);
    // The style that draws a skin's menus.
    static TSkinStyle* StyleFor(TSkinData* skin);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TPopup {
        QPointer<QMenu> menu;
        bool ownerDrawn = false;
    };
    int indexOf(const QMenu* menu) const;

    int menuKind_ = mkPopup;
    bool menuOwnerDraw_ = false;
    bool enabled_ = true;
    SkinChooser chooser_;
    QList<TPopup> popups_;
};
