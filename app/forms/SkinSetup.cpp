#include "app/forms/SkinSetup.h"

#include "app/forms/SettingsFile.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {
const QString kSection = QStringLiteral("Skins");
const QString kSkinKey = QStringLiteral("Skin");
const QString kActiveKey = QStringLiteral("Active");
} // namespace

TSkinSetup::TSkinSetup(TSkinData& engine, QMenu* mnuSkins, QAction* mnuUseSkins, QObject* parent)
    : QObject(parent), engine_(engine), mnuSkins_(mnuSkins), mnuUseSkins_(mnuUseSkins) {}

TSkinSetup::~TSkinSetup() = default;

QString TSkinSetup::settingsPath() {
    return orvik::settingsPath();
}

void TSkinSetup::ShowSkinError(const QString& text) {
    if (text == TSkinReader::OldSkinMessage)
        orvik::ShowMessage(text);
    else
        orvik::ShowError(text);
}

bool TSkinSetup::loadSkin(const QString& name, const QString& path) {
    engine_.SetSkinFile(path);
    if (engine_.Loading())
        return false;
    skinInForce_ = name;
    return true;
}

void TSkinSetup::SetUp() {
    // 1. The form carries one empty placeholder item in the submenu.
    if (!mnuSkins_->actions().isEmpty())
        delete mnuSkins_->actions().first();

    // 2. One item per package, in the order the file system gives them: the shipped skins,
    // then the user's own (an installed program), where a name already listed is left out
    // since the shipped file of that name is the one a pick would load. The item keeps the
    // file name itself; its caption doubles "&" so that the name shows as it is written.
    QString defaultSkin;
    QStringList listed;
    for (const QString& folder : orvik::skinFolders()) {
        const QFileInfoList found =
            QDir(folder).entryInfoList({QStringLiteral("*.skn")}, QDir::Files, QDir::Unsorted);
        for (const QFileInfo& file : found)
            if (!listed.contains(file.fileName()))
                listed << file.fileName();
    }
    for (const QString& name : listed) {
        QAction* item = mnuSkins_->addAction(QString(name).replace(u'&', QStringLiteral("&&")));
        item->setData(name);
        connect(item, &QAction::triggered, this,
                [this, item] { orvik::runGuarded([&] { SkinMenuItemClick(item); }); });
        if (defaultSkin.isEmpty())
            defaultSkin = name;
    }

    // 3 to 7.
    SettingsFile = std::make_unique<TSettingsFile>(settingsPath());
    if (!SettingsFile->SetAsideNote().isEmpty())
        orvik::ShowInformation(SettingsFile->SetAsideNote());
    QString skin = SettingsFile->ReadString(kSection, kSkinKey, defaultSkin);
    if (skin.isEmpty())
        skin = defaultSkin;
    // Only a file name in a skins folder: a path or ".." in the settings is ignored.
    const QString path = orvik::findSkin(skin);
    if (!path.isEmpty())
        loadSkin(skin, path);
    engine_.SetActive(SettingsFile->ReadInteger(kSection, kActiveKey, 1) != 0);
    mnuUseSkins_->setChecked(engine_.Active());
}

void TSkinSetup::ShutDown() {
    if (!SettingsFile)
        return;
    write(kSkinKey, skinInForce_);
    write(kActiveKey, engine_.Active() ? QStringLiteral("1") : QStringLiteral("0"));
    SettingsFile.reset();
}

void TSkinSetup::SkinMenuItemClick(QAction* item) {
    const QString name = item->data().toString();
    // A name no folder holds (the file went since start-up) is handed on as it is, in the
    // shipped folder, where the skin component finds no file.
    QString path = orvik::findSkin(name);
    if (path.isEmpty())
        path = orvik::skinFolders().constFirst() + name;
    if (loadSkin(name, path))
        write(kSkinKey, name);
}

void TSkinSetup::mnuUseSkinsClick() {
    engine_.SetActive(!engine_.Active());
    mnuUseSkins_->setChecked(engine_.Active());
}

void TSkinSetup::write(const QString& key, const QString& value) {
    if (!SettingsFile)
        return;
    // Every write goes to the disk at once, through a new file that replaces the old one.
    SettingsFile->WriteString(kSection, key, value);
}
