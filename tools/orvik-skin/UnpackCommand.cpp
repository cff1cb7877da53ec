// orvik-skin unpack IN.skn DIR: writes every entry of a package into DIR under its (lower-case)
// name. Existing files of the same name are replaced.

#include "tools/orvik-skin/Command.h"

#include "skin/data/SkinReader.h"

#include <QDir>
#include <QSet>

namespace {

// Names come from the package, which may come from anywhere: only plain file names are
// written, never anything that would land outside DIR.
bool isPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/'));
}

TSkinReader loadPackage(const QString& path) {
    TSkinReader reader;
    if (!reader.LoadPackage(readWholeFile(path)))
        throw CommandError(QStringLiteral("%1: %2").arg(path, reader.ErrorText()));
    return reader;
}

int runUnpack(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError();
    const TSkinReader reader = loadPackage(args[0]);
    for (const QString& name : reader.EntryNames())
        if (!isPlainFileName(name))
            throw CommandError(QStringLiteral("%1: the entry name \"%2\" is not a plain file "
                                              "name; nothing was written")
                                   .arg(args[0], name));
    if (!QDir().mkpath(args[1]))
        throw CommandError(QStringLiteral("cannot create the folder %1").arg(args[1]));

    const QDir dir(args[1]);
    QSet<QString> written;
    for (int k = 0; k < reader.EntryCount(); ++k) {
        const QString& name = reader.EntryNames()[k];
        if (written.contains(name)) {
            err() << "orvik-skin unpack: skipped a second entry named " << name
                  << " (the program reads the first one only)\n";
            continue;
        }
        written.insert(name);
        writeWholeFile(dir.filePath(name),
                       reader.EntryData().mid(reader.EntryOffset(k), reader.EntrySize(k)));
    }
    out() << "unpacked " << written.size() << " entries into " << args[1] << "\n";
    return 0;
}

int runList(const QStringList& args) {
    if (args.size() != 1)
        throw UsageError();
    const TSkinReader reader = loadPackage(args[0]);
    for (int k = 0; k < reader.EntryCount(); ++k)
        out() << reader.EntrySize(k) << '\t' << reader.EntryNames()[k] << '\n';
    return 0;
}

const RegisterCommand unpackReg{"unpack", "unpack IN.skn DIR",
                                "write every entry of a skin package into DIR", &runUnpack};
const RegisterCommand listReg{"list", "list IN.skn",
                              "print the size and name of every entry, one per line", &runList};

} // namespace
