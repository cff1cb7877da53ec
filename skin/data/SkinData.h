#pragma once

#include "skin/data/SkinColour.h"
#include "skin/data/SkinElements.h"
#include "skin/data/SkinManagerLink.h"
#include "skin/data/SkinObjects.h"
#include "skin/data/SkinTypes.h"

#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QIODevice;
class TQuickIni;
class TSkinReader;

// The skin data component a form carries to be skinned. It holds the current skin package,
// builds the element objects from it, holds the skin's palette and the settings that decide
// what gets skinned. Everything it does to windows goes through the skin manager.
//
// A load that fails (missing file, damaged or old package, a package without a definition or
// past the limits of a skin) changes nothing of the skin in force: elements, palette and
// stored package stay as they were, the error goes to the error hook (a missing file is
// ignored without a word), and Loading() stays true until a skin loads.
class TSkinData : public QObject {
    Q_OBJECT

public:
    using ErrorHook = std::function<void(const QString& text)>;
    using FormSkinHandler =
        std::function<void(TSkinData* sender, const QString& className, bool& doSkin)>;
    // Asked first when a control is about to get a skinner: `sender` is the component that
    // asks (the skinner factory), `skinData` the skin it would use.
    using SkinControlHandler =
        std::function<void(QObject* sender, TSkinData* skinData, QObject* form, QObject* control,
                           const QString& controlClass, QObject*& skinnedControl)>;
    using ManagerProvider = std::function<ISkinManager*()>;

    // The value of a TDataSkinTitle text colour the definition did not give.
    static constexpr TColor NoTextColor = TDataSkinTitle::NoTextColor;
    // Files larger than this are not skin packages.
    static constexpr qint64 MaxSkinFileSize = 64 * 1024 * 1024;

    explicit TSkinData(QObject* owner = nullptr);
    ~TSkinData() override;

    // --- stored properties ---
    bool Active() const { return active_; }
    void SetActive(bool value);
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }
    TSkinControls SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControls controls) { skinControls_ = controls; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options) { options_ = options; }
    const QStringList& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const QStringList& lines) { skin3rd_ = lines; }
    static QStringList DefaultSkin3rd();
    const QString& SkinFile() const { return skinFile_; }
    // Loads the skin of a .skn file; see the class comment for what a failure does.
    void SetSkinFile(const QString& path);
    QString SkinStore() const { return QStringLiteral("(none)"); }
    void SetSkinStore(const QString&) {}
    TSkinFormType SkinFormtype() const { return formType_; }
    void SetSkinFormtype(TSkinFormType type) { formType_ = type; }
    QString Version() const { return QStringLiteral("1.0"); }
    void SetVersion(const QString&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool value) { menuUpdate_ = value; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool value) { menuMerge_ = value; }

    // The stored package as the form keeps it: a signed 32-bit length, then the container.
    QByteArray SkinStream() const;
    void WriteSkinStream(QIODevice& out) const;
    // Reads a stored package from the form data at in's position. A length of 0 or less
    // changes nothing; otherwise the package replaces the stored one and is loaded at once.
    // Returns false when the data is refused or the skin cannot be loaded.
    bool ReadSkinStream(QIODevice& in);
    const QByteArray& SkinStreamData() const { return skinStreamData_; }

    // --- events ---
    FormSkinHandler OnFormSkin;
    SkinControlHandler OnSkinControl;
    // Every failed load is reported here, the package reader's refusals included (with the
    // reader's own text; the old-version text unchanged). Connect this hook or the reader's
    // message hook to the message boxes, not both, or a refusal is shown twice.
    void SetErrorHook(ErrorHook hook) { errorHook_ = std::move(hook); }

    // --- life cycle ---
    // Reading the form: between BeginRead and Loaded, property changes only store values.
    void BeginRead() { reading_ = true; }
    bool Reading() const { return reading_; }
    // After the form's properties are set: registers with the skin manager and starts skinning.
    void Loaded();
    bool Loading() const { return loading_; }
    // Unpacks SkinStreamData and builds the skin from it; false when it cannot be loaded.
    bool LoadSkinPackage();
    // After a new skin was loaded: skinned windows re-read it, then a refresh is requested.
    void UpdateSkin();
    void DoFormSkin(const QString& className, bool& doSkin);
    void DoSkinChanged();

    // --- the skin manager ---
    static void SetManagerProvider(ManagerProvider provider);
    // Uses this manager instead of the program's one (not owned).
    void SetSkinManager(ISkinManager* manager) { manager_ = manager; }
    ISkinManager* SkinManager() const;
    // Called by a manager that is going away.
    void ForgetSkinManager(ISkinManager* manager);

    // --- the loaded skin ---
    TDataSkinBorder* Left() const { return left_.get(); }
    TDataSkinBorder* Right() const { return right_.get(); }
    TDataSkinBorder* Top() const { return top_.get(); }
    TDataSkinBorder* Bottom() const { return bottom_.get(); }
    TDataSkinTitle* Title() const { return title_.get(); }
    TDataSkinButton* Buttons() const { return buttons_.get(); }
    const QList<TDataSkinSysButton*>& SysButtons() const { return skin_.SysButtonList; }
    // An element of the skin, or nullptr when the skin has no picture for it.
    TDataSkinObject* Element(SkinPart part) const { return skin_.Parts[int(part)].get(); }
    TDataSkinBorder* Progress() const { return border(SkinPart::Progress); }
    TDataSkinObject* ProgressChunk() const { return Element(SkinPart::ProgressChunk); }
    TDataSkinObject* MenuBar() const { return Element(SkinPart::MenuBar); }
    TDataSkinObject* GroupBoxEdge() const { return Element(SkinPart::GroupBoxEdge); }
    TDataSkinBoxLabel* GroupBox() const;
    TDataSkinBorder* Tabs() const { return border(SkinPart::Tabs); }
    TDataSkinObject* StatusBarEdges() const { return Element(SkinPart::StatusBarEdges); }
    TDataSkinObject* TabPane() const { return Element(SkinPart::TabPane); }
    TDataSkinObject* ToolBars() const { return Element(SkinPart::ToolBars); }
    TDataSkinBorder* ComboButton() const { return border(SkinPart::ComboButton); }
    TDataSkinObject* SunkEdge() const { return Element(SkinPart::SunkEdge); }
    TDataSkinObject* ExtraImages() const { return Element(SkinPart::ExtraImages); }
    TDataSkinObject* Headerbar() const { return Element(SkinPart::Headerbar); }
    TDataSkinObject* MenuItem() const { return Element(SkinPart::MenuItem); }
    TDataSkinObject* MenuBackground() const { return Element(SkinPart::MenuBackground); }
    TDataSkinObject* Scrollbar() const { return Element(SkinPart::Scrollbar); }
    TDataSkinObject* HorzScroll() const { return Element(SkinPart::HorzScroll); }
    TDataSkinObject* VertScroll() const { return Element(SkinPart::VertScroll); }
    TDataSkinObject* HorzScrollThumb() const { return Element(SkinPart::HorzScrollThumb); }
    TDataSkinObject* VertScrollThumb() const { return Element(SkinPart::VertScrollThumb); }
    TDataSkinObject* TrackbarThumbHorz() const { return Element(SkinPart::ThumbHorz); }
    TDataSkinObject* TrackbarThumbVert() const { return Element(SkinPart::ThumbVert); }
    TDataSkinObject* TrackbarThumbLeft() const { return Element(SkinPart::ThumbLeft); }
    TDataSkinObject* TrackbarThumbRight() const { return Element(SkinPart::ThumbRight); }
    TDataSkinObject* TrackbarThumbUp() const { return Element(SkinPart::ThumbUp); }
    TDataSkinObject* TrackbarThumbDown() const { return Element(SkinPart::ThumbDown); }
    TDataSkinBorder* UpDownHorz() const { return border(SkinPart::UpDownHorz); }
    TDataSkinBorder* UpDownVert() const { return border(SkinPart::UpDownVert); }
    TDataSkinObject* Track() const { return Element(SkinPart::Track); }
    TDataSkinObject* TrackVert() const { return Element(SkinPart::TrackVert); }
    TDataSkinObject* ToolbarBack() const { return Element(SkinPart::ToolbarBack); }

    const TSkinPalette& Palette() const { return skin_.Palette; }
    TColor WindowTextColor() const { return skin_.Palette.WindowTextColor; }
    TColor TitleTextActiveColor() const { return skin_.Palette.TitleTextActiveColor; }
    TColor TitleTextNoActiveColor() const { return skin_.Palette.TitleTextNoActiveColor; }
    TColor ButtonFaceColor() const { return skin_.Palette.ButtonFaceColor; }
    TColor ButtonTextColor() const { return skin_.Palette.ButtonTextColor; }
    TColor ButtonHilightColor() const { return skin_.Palette.ButtonHilightColor; }
    TColor ButtonLightColor() const { return skin_.Palette.ButtonLightColor; }
    TColor ButtonShadowColor() const { return skin_.Palette.ButtonShadowColor; }
    TColor ButtonDkShadowColor() const { return skin_.Palette.ButtonDkShadowColor; }
    TColor HilightTextColor() const { return skin_.Palette.HilightTextColor; }
    TColor HilightColor() const { return skin_.Palette.HilightColor; }
    TColor MenubarColor() const { return skin_.Palette.MenubarColor; }
    TColor MenuBarTextColor() const { return skin_.Palette.MenuBarTextColor; }
    TColor MenuTextColor() const { return skin_.Palette.MenuTextColor; }
    TColor MenuColor() const { return skin_.Palette.MenuColor; }
    TColor ScrollbarColor() const { return skin_.Palette.ScrollbarColor; }
    TColor WindowColor() const { return skin_.Palette.WindowColor; }
    const QList<TColor>& ColourTable() const { return skin_.ColourTable; }
    const std::array<TColor, 10>& CustomColors() const { return skin_.CustomColors; }
    const QBrush& ButtonFaceBrush() const { return skin_.ButtonFaceBrush; }
    const QString& SkinName() const { return skin_.SkinName; }

    const QImage& AppIcon() const { return appIcon_; }
    void SetAppIcon(const QImage& icon) { appIcon_ = icon; }
    // Draws the application's window icon on magenta at the small icon size; keeps the
    // previous picture when the application has no icon.
    void BuildAppIcon();
    const QFont& CaptionFont() const { return captionFont_; }
    // Restore, maximise, minimise, close: 16 x 16 each, white made transparent.
    const QList<QImage>& MenuGlyphs() const { return menuGlyphs_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    bool FramePaintEnabled() const { return framePaintEnabled_; }
    void SetFramePaintEnabled(bool value) { framePaintEnabled_ = value; }

    // The width of a scroll bar arrow: the combo box strips are built with it.
    int ScrollArrowWidth() const { return scrollArrowWidth_; }
    void SetScrollArrowWidth(int width) { scrollArrowWidth_ = width; }

    // --- reading the definition ---
    static TColor ParseColour(const QString& text);
    static TColor ReadColour(const TQuickIni& ini, const QString& section, const QString& key,
                             TColor def);
    static void ReadRGB(const TQuickIni& ini, const QString& section, const QString& name,
                        TColor& target);
    // Builds the whole skin from a parsed definition and the package's pictures and puts it in
    // force; Loading() becomes false. Throws ESkinRefused (nothing changes then) for a
    // definition past the limits of a skin.
    void ApplyDefinition(const TQuickIni& ini, const TSkinReader& reader);
    // The pictures the last load refused (too large, past the load's budget): the skin is in
    // force without them.
    const QStringList& RefusedPictures() const { return refusedPictures_; }

signals:
    // After the skin manager has carried out a switch-on, switch-off or refresh.
    void SkinChanged(TSkinData* sender);

private:
    TDataSkinBorder* border(SkinPart part) const {
        return static_cast<TDataSkinBorder*>(Element(part));
    }
    void reportError(const QString& text) const;
    bool loadPackage(const QString& origin);

    bool active_ = false;
    int disableTag_ = 99;
    TSkinControls skinControls_;
    TSkinOptions options_{xoPreview, xoToolbarBK};
    QStringList skin3rd_;
    QString skinFile_;
    TSkinFormType formType_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;

    QByteArray skinStreamData_;
    bool loading_ = true;
    bool reading_ = false;

    std::unique_ptr<TDataSkinBorder> left_, right_, top_, bottom_;
    std::unique_ptr<TDataSkinTitle> title_;
    std::unique_ptr<TDataSkinButton> buttons_;
    TSkinContent skin_;

    QImage appIcon_;
    QFont captionFont_;
    QList<QImage> menuGlyphs_;
    int maxWidth_ = 0;
    int maxHeight_ = 0;
    bool framePaintEnabled_ = true;
    int scrollArrowWidth_ = 16;

    QStringList refusedPictures_;

    ErrorHook errorHook_;
    ISkinManager* manager_ = nullptr;
    ISkinManager* registeredWith_ = nullptr;
};
