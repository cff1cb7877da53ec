#include "skins/storedskin/StoredSkin.h"

#include <QFile>

QByteArray storedSkinStream() {
    QFile file(QStringLiteral(":/skins/stored_skin.bin"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
