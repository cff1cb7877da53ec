#include "core/ProgramFiles.h"

#include "core/FileCopy.h"
#include "core/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

// The install layout, relative to the folder of the executable (set by the build).
#ifndef ORVIK_SHARE_FROM_BIN
#define ORVIK_SHARE_FROM_BIN "../share/orvik"
#endif
#ifndef ORVIK_MODULES_FROM_BIN
#define ORVIK_MODULES_FROM_BIN "../lib/orvik"
#endif

namespace orvik {

namespace {

const QString CatalogueName = QStringLiteral("data.db");
const QString SettingsName = QStringLiteral("settings.ini");
const QString SkinsName = QStringLiteral("skins");
const QString UserFolderName = QStringLiteral("orvik");

QString withSeparator(QString dir) {
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

// A folder the program may keep its data in: we may write there, and the folder is meant to be
// written at all. The second test matters for root, whom access() lets write anywhere: a folder
// that nobody may write (mode 555) is read-only for every user.
bool writableFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    return ::access(path.constData(), W_OK | X_OK) == 0;
}

QString installedShareFolder() {
    return withSeparator(QDir::cleanPath(programFolder() + QStringLiteral(ORVIK_SHARE_FROM_BIN)));
}

QString userFolder(QStandardPaths::StandardLocation location) {
    return withSeparator(QStandardPaths::writableLocation(location) + u'/' + UserFolderName);
}

} // namespace

bool runsFromOwnFolder() {
    const QString folder = programFolder();
    return QFileInfo(folder + CatalogueName).isFile() && writableFolder(folder);
}

QString shippedFolder() {
    const QString folder = programFolder();
    if (QFileInfo::exists(folder + CatalogueName))
        return folder;
    const QString share = installedShareFolder();
    if (QFileInfo(share).isDir())
        return share;
    return folder;
}

QString shippedFile(const QString& name) {
    return shippedFolder() + name;
}

QString shippedCataloguePath() {
    return shippedFile(CatalogueName);
}

QString linksPagePath() {
    return shippedFile(QStringLiteral("links.htm"));
}

QString userDataFolder() {
    return runsFromOwnFolder() ? programFolder() : userFolder(QStandardPaths::GenericDataLocation);
}

QString userConfigFolder() {
    return runsFromOwnFolder() ? programFolder()
                               : userFolder(QStandardPaths::GenericConfigLocation);
}

QString cataloguePath() {
    return userDataFolder() + CatalogueName;
}

QString settingsPath() {
    return userConfigFolder() + SettingsName;
}

QString userSkinFolder() {
    return runsFromOwnFolder() ? QString() : userDataFolder() + SkinsName + u'/';
}

QStringList skinFolders() {
    QStringList folders{shippedFolder() + SkinsName + u'/'};
    const QString own = userSkinFolder();
    if (!own.isEmpty() && !folders.contains(own))
        folders << own;
    return folders;
}

QString findSkin(const QString& fileName) {
    if (fileName.isEmpty() || fileName.contains(u'/') || fileName == QStringLiteral(".") ||
        fileName == QStringLiteral(".."))
        return {};
    for (const QString& folder : skinFolders()) {
        const QString path = folder + fileName;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QStringList moduleFolders() {
    const QString bin = programFolder();
    return {bin, withSeparator(QDir::cleanPath(bin + QStringLiteral(ORVIK_MODULES_FROM_BIN)))};
}

void prepareCatalogue(const std::function<void(qint64)>& onChunk) {
    if (runsFromOwnFolder())
        return;
    const QString seed = shippedCataloguePath();
    if (!QFileInfo(seed).isFile())
        return;
    copyFileWithoutReplacing(seed, cataloguePath(), onChunk);
}

} // namespace orvik
