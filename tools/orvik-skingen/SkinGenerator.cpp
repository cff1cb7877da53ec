#include "tools/orvik-skingen/SkinGenerator.h"

#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Look.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace skingen {

SkinBuild generateSkin(const SkinParams& params) {
    SkinBuild skin(makeLook(params));
    skin.section(QStringLiteral("TitlebarSkin")).set(QStringLiteral("SkinName"), params.name);
    skin.section(QStringLiteral("Fonts")).set(QStringLiteral("FontHeight"), 14);
    buildWindowFrame(skin);
    buildPushButtons(skin);
    buildSmallControls(skin);
    buildPanels(skin);
    buildScrollBars(skin);
    buildMenus(skin);
    buildColours(skin);
    return skin;
}

QString definitionFileName(const SkinBuild& skin) {
    return skin.look().params.name.toLower() + QStringLiteral(".ini");
}

QByteArray definitionText(const SkinBuild& skin) {
    QByteArray out;
    out += "; " + skin.look().params.name.toLatin1() +
           " skin for Orvik, drawn by orvik-skingen. Edit the parameter set, not this file.\r\n";
    for (const Section& s : skin.sections()) {
        out += "\r\n[" + s.name().toLatin1() + "]\r\n";
        for (const auto& kv : s.keys())
            out += kv.first.toLatin1() + '=' + kv.second.toLatin1() + "\r\n";
    }
    return out;
}

bool writeSkin(const SkinBuild& skin, const QString& dir, QString& error) {
    QDir out(dir);
    if (!out.exists() && !QDir().mkpath(dir)) {
        error = QStringLiteral("%1: cannot create the folder").arg(dir);
        return false;
    }
    // Only files this program writes are cleared, so a renamed picture leaves nothing stale
    // for the packer to pick up.
    const QStringList stale =
        out.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.ini")}, QDir::Files);
    for (const QString& name : stale) {
        if (!out.remove(name)) {
            error = QStringLiteral("%1: cannot remove the old file").arg(out.filePath(name));
            return false;
        }
    }
    auto save = [&](const QString& name, const QByteArray& bytes) {
        QSaveFile file(out.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.commit()) {
            error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
            return false;
        }
        return true;
    };
    for (const Picture& pic : skin.pictures())
        if (!save(pic.file, encodeBmp24(pic.image)))
            return false;
    return save(definitionFileName(skin), definitionText(skin));
}

} // namespace skingen
