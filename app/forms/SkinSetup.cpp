#include "app/forms/SkinSetup.h"

#include "core/ErrorWrapper.h"
#include "core/ProgramFiles.h"
#include "skin/data/SkinData.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {
const QString kSkinKey = QStringLiteral("Skins/Skin");
const QString kActiveKey = QStringLiteral("Skins/Active");
} // namespace

TSkinSetup::TSkinSetup(TSkinData& engine, QMenu* mnuSkins, QAction* mnuUseSkins, QObject* parent)
    : QObject(parent), engine_(engine), mnuSkins_(mnuSkins), mnuUseSkins_(mnuUseSkins) {}

TSkinSetup::~TSkinSetup() = default;

QString TSkinSetup::settingsPath() {
    return orvik::settingsPath();
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
    SettingsFile = std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat);
    QString skin = SettingsFile->value(kSkinKey, defaultSkin).toString();
    if (skin.isEmpty())
        skin = defaultSkin;
    const QString path = orvik::findSkin(skin);
    if (!path.isEmpty())
        engine_.SetSkinFile(path);
    engine_.SetActive(SettingsFile->value(kActiveKey, 1).toInt() != 0);
    mnuUseSkins_->setChecked(engine_.Active());
}

void TSkinSetup::ShutDown() {
    if (!SettingsFile)
        return;
    write(kSkinKey, QFileInfo(engine_.SkinFile()).fileName());
    write(kActiveKey, engine_.Active() ? QStringLiteral("1") : QStringLiteral("0"));
    SettingsFile.reset();
}

void TSkinSetup::SkinMenuItemClick(QAction* item) {
    const QString name = item->data().toString();
    // A name no folder holds (the file went since start-up) is handed on as it is, in the
    // shipped folder, and the skin component reports it.
    QString path = orvik::findSkin(name);
    if (path.isEmpty())
        path = orvik::skinFolders().constFirst() + name;
    engine_.SetSkinFile(path);
    write(kSkinKey, name);
}

void TSkinSetup::mnuUseSkinsClick() {
    engine_.SetActive(!engine_.Active());
    mnuUseSkins_->setChecked(engine_.Active());
}

void TSkinSetup::write(const QString& key, const QString& value) {
    if (!SettingsFile)
        return;
    // Every write goes to the disk at once; the settings are saved to a new file that then
    // replaces the old one, so a crash never leaves half a file.
    SettingsFile->setValue(key, value);
    SettingsFile->sync();
    if (SettingsFile->status() != QSettings::NoError)
        throw orvik::Error(
            QStringLiteral("Cannot write the settings file %1.").arg(settingsPath()));
}
