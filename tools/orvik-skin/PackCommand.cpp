// orvik-skin pack DIR OUT.skn: every file of DIR becomes an entry, in name order.

#include "tools/orvik-skin/Command.h"

#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

int runPack(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError();
    const QDir dir(args[0]);
    if (!QFileInfo(args[0]).isDir())
        throw CommandError(QStringLiteral("%1 is not a folder").arg(args[0]));

    QList<TSkinPackageEntry> entries;
    QHash<QString, QString> byReadName; // the name the reader will see -> file name
    qint64 plainBytes = 0;
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        const QString readName = TSkinReader::SplitNames(name.toLatin1()).value(0);
        if (byReadName.contains(readName))
            throw CommandError(QStringLiteral("%1 and %2 differ only in letter case; the "
                                              "program would see one of them only")
                                   .arg(byReadName[readName], name));
        byReadName.insert(readName, name);
        entries.append({name, readWholeFile(file.filePath())});
        plainBytes += entries.last().Data.size();
    }
    const QByteArray packed = orvik::PackSkinPackage(entries);
    writeWholeFile(args[1], packed);
    out() << "packed " << entries.size() << " entries (" << plainBytes << " bytes) into "
          << packed.size() << " bytes\n";
    return 0;
}

const RegisterCommand reg{"pack", "pack DIR OUT.skn",
                          "pack every file of DIR into a skin package (version 20000)", &runPack};

} // namespace
