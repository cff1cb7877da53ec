#include "skin/data/SkinData.h"

#include "skin/data/QuickIni.h"
#include "skin/data/SkinBuilder.h"
#include "skin/data/SkinGenerated.h"
#include "skin/data/SkinReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>

namespace {

TSkinData::ManagerProvider& managerProvider() {
    static TSkinData::ManagerProvider provider;
    return provider;
}

TSkinControls defaultSkinControls() {
    TSkinControls controls = TSkinControls::all();
    controls.remove(xcMenuItem);
    controls.remove(xcFastReport);
    return controls;
}

QList<QImage> loadMenuGlyphs() {
    const QImage strip = orvik::BuiltInPicture(QStringLiteral("MENUGLYPHS"));
    QList<QImage> glyphs;
    for (int i = 0; i < 4; ++i) {
        QImage glyph = strip.copy(16 * i, 0, 16, 16).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < glyph.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
            for (int x = 0; x < glyph.width(); ++x) {
                if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                    line[x] = 0;
            }
        }
        glyphs.append(glyph);
    }
    return glyphs;
}

} // namespace

TSkinData::TSkinData(QObject* owner)
    : QObject(owner), skinControls_(defaultSkinControls()), skin3rd_(DefaultSkin3rd()),
      left_(std::make_unique<TDataSkinBorder>(QStringLiteral("Left"))),
      right_(std::make_unique<TDataSkinBorder>(QStringLiteral("Right"))),
      top_(std::make_unique<TDataSkinBorder>(QStringLiteral("Top"), TCellLayout::Stacked)),
      bottom_(std::make_unique<TDataSkinBorder>(QStringLiteral("Bottom"), TCellLayout::Stacked)),
      title_(std::make_unique<TDataSkinTitle>(QStringLiteral("Title"), TCellLayout::Stacked)),
      buttons_(std::make_unique<TDataSkinButton>(QStringLiteral("Buttons"))), appIcon_(),
      menuGlyphs_(loadMenuGlyphs()) {
    if (qGuiApp) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            maxWidth_ = screen->availableSize().width();
            maxHeight_ = screen->availableSize().height();
        }
    }
}

TSkinData::~TSkinData() {
    if (registeredWith_)
        registeredWith_->RemoveSkinData(this);
}

void TSkinData::SetManagerProvider(ManagerProvider provider) {
    managerProvider() = std::move(provider);
}

ISkinManager* TSkinData::SkinManager() const {
    if (manager_)
        return manager_;
    if (registeredWith_)
        return registeredWith_;
    return managerProvider() ? managerProvider()() : nullptr;
}

void TSkinData::ForgetSkinManager(ISkinManager* manager) {
    if (registeredWith_ == manager)
        registeredWith_ = nullptr;
    if (manager_ == manager)
        manager_ = nullptr;
}

TDataSkinBoxLabel* TSkinData::GroupBox() const {
    return static_cast<TDataSkinBoxLabel*>(Element(SkinPart::GroupBox));
}

void TSkinData::reportError(const QString& text) const {
    if (errorHook_)
        errorHook_(text);
}

// ---------------------------------------------------------------------------------------------
// Switching on and off

void TSkinData::SetActive(bool value) {
    if (value == active_)
        return;
    active_ = value;
    if (reading_)
        return;
    ISkinManager* manager = SkinManager();
    if (!manager)
        return;
    switch (formType_) {
    case sfMainform:
        if (value) {
            if (loading_)
                return;
            manager->SetCurrentSkinData(this);
            manager->PostCommand(ISkinManager::SwitchOn, ISkinManager::CommandDelayMs);
            manager->MarkStarted();
        } else {
            manager->SetCurrentSkinData(this);
            manager->PostCommand(ISkinManager::SwitchOff, ISkinManager::CommandDelayMs);
        }
        break;
    case sfOnlyThisForm:
        manager->SetCurrentSkinData(this);
        if (value && loading_)
            return;
        manager->PostCommand(value ? ISkinManager::SwitchOn : ISkinManager::SwitchOff,
                             ISkinManager::CommandDelayMs);
        break;
    case sfDialog:
    case sfDLL:
        break;
    }
}

void TSkinData::Loaded() {
    reading_ = false;

    // Scroll bar information is always available here: xcScrollbar stays as it is.
    ISkinManager* manager = SkinManager();
    if (manager && registeredWith_ != manager) {
        manager->AddSkinData(this);
        registeredWith_ = manager;
    }

    if (qGuiApp)
        captionFont_ = QFontDatabase::systemFont(QFontDatabase::TitleFont);

    if (formType_ != sfMainform) {
        if (manager) {
            manager->EnableSkinning();
            manager->MarkStarted();
            manager->SkinForm(parent());
        }
        return;
    }

    if (manager)
        manager->InstallHook();
    if (active_) {
        if (loading_) {
            active_ = false; // nothing usable to switch on
        } else if (manager) {
            manager->SetCurrentSkinData(this);
            manager->PostCommand(ISkinManager::SwitchOn, ISkinManager::CommandDelayMs);
        }
    }
    if (skinControls_.contains(xcMainMenu))
        skinControls_.remove(xcMenuItem);
    else
        skinControls_.remove(xcSystemMenu);
    BuildAppIcon();
}

void TSkinData::UpdateSkin() {
    if (reading_)
        return;
    ISkinManager* manager = SkinManager();
    if (!manager)
        return; // nothing is skinned without a manager
    if (!registeredWith_)
        Loaded();
    manager->SetCurrentSkinData(this);
    manager->RefreshForms();
    if (manager->IsStarted())
        manager->PostCommand(ISkinManager::Refresh, ISkinManager::CommandDelayMs);
}

void TSkinData::DoFormSkin(const QString& className, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == QLatin1String("SysMonthCal32"))
        doSkin = false;
    else if (className.startsWith(QLatin1String("Tfr")) && skinControls_.contains(xcFastReport))
        doSkin = false;
}

void TSkinData::DoSkinChanged() {
    emit SkinChanged(this);
}

void TSkinData::BuildAppIcon() {
    if (!qGuiApp)
        return;
    const QIcon icon = QGuiApplication::windowIcon();
    if (icon.isNull())
        return;
    constexpr int size = 16; // the small icon size
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    icon.paint(&painter, QRect(0, 0, size, size));
    painter.end();
    appIcon_ = image;
}

// ---------------------------------------------------------------------------------------------
// Loading

void TSkinData::SetSkinFile(const QString& path) {
    loading_ = true;
    skinFile_ = path;
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return; // a skin file that is not there is ignored without a word
    if (!info.isFile()) {
        reportError(tr("The skin file \"%1\" is not a file.").arg(path));
        return;
    }
    if (info.size() > MaxSkinFileSize) {
        reportError(tr("The skin file \"%1\" is too large to be a skin.").arg(path));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reportError(tr("The skin file \"%1\" cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.read(MaxSkinFileSize + 1);
    if (bytes.size() > MaxSkinFileSize) {
        reportError(tr("The skin file \"%1\" is too large to be a skin.").arg(path));
        return;
    }

    const QByteArray previous = skinStreamData_;
    skinStreamData_ = bytes;
    if (!loadPackage(info.fileName()))
        skinStreamData_ = previous;
    // Also after a refusal: the skinned windows re-read the skin in force.
    if (formType_ == sfMainform)
        UpdateSkin();
}

bool TSkinData::LoadSkinPackage() {
    return loadPackage(QString());
}

bool TSkinData::loadPackage(const QString& origin) {
    loading_ = true;
    auto fail = [&](const QString& reason) {
        if (reason == TSkinReader::OldSkinMessage || origin.isEmpty())
            reportError(reason);
        else
            reportError(tr("The skin \"%1\" cannot be loaded: %2").arg(origin, reason));
        return false;
    };
    try {
        TSkinReader reader;
        if (!reader.LoadPackage(QByteArrayView(skinStreamData_)))
            return fail(reader.ErrorText());
        QByteArray definition;
        QString definitionName;
        if (!reader.FindEntry(QStringLiteral(".ini"), definition, definitionName))
            return fail(tr("The skin package has no skin definition (no .ini entry)."));
        TSkinBuilder::CheckDefinitionText(QByteArrayView(definition));
        TQuickIni ini;
        ini.LoadFromText(definition);
        ApplyDefinition(ini, reader);
        return true;
    } catch (const ESkinRefused& e) {
        return fail(e.text());
    } catch (const std::exception& e) {
        return fail(QString::fromUtf8(e.what()));
    }
}

void TSkinData::ApplyDefinition(const TQuickIni& ini, const TSkinReader& reader) {
    TSkinBuilder builder(ini, reader, scrollArrowWidth_);
    TSkinBuild build = builder.Build();
    refusedPictures_ = builder.RefusedPictures();
    for (const QString& text : refusedPictures_)
        qWarning("Skin: %s", qPrintable(text));
    // Put in force in one step: the six lasting elements keep their identity.
    *left_ = std::move(build.Left);
    *right_ = std::move(build.Right);
    *top_ = std::move(build.Top);
    *bottom_ = std::move(build.Bottom);
    *title_ = std::move(build.Title);
    *buttons_ = std::move(build.Buttons);
    skin_ = std::move(build.Content);
    loading_ = false;
}

// ---------------------------------------------------------------------------------------------
// The stored package

QByteArray TSkinData::SkinStream() const {
    return TSkinReader::WriteSkinStream(QByteArrayView(skinStreamData_));
}

void TSkinData::WriteSkinStream(QIODevice& out) const {
    out.write(SkinStream());
}

bool TSkinData::ReadSkinStream(QIODevice& in) {
    QString error;
    const std::optional<QByteArray> container = TSkinReader::ReadSkinStream(in, &error);
    if (!container) {
        reportError(tr("The stored skin cannot be read: %1").arg(error));
        return false;
    }
    if (container->isEmpty())
        return true; // nothing stored: nothing changes
    const QByteArray previous = skinStreamData_;
    skinStreamData_ = *container;
    if (!LoadSkinPackage()) {
        skinStreamData_ = previous;
        return false;
    }
    return true;
}
