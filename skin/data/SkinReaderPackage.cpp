#include "skin/data/SkinReaderPackage.h"

#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"

#include <QtEndian>

#include <stdexcept>

namespace orvik {

namespace {

void appendWord(QByteArray& out, qint32 value) {
    char word[4];
    qToLittleEndian<qint32>(value, word);
    out.append(word, 4);
}

[[noreturn]] void invalid(const QString& why) {
    throw std::invalid_argument(why.toStdString());
}

} // namespace

QByteArray BuildSkinPackage(const QList<TSkinPackageEntry>& entries,
                            std::array<qint32, 2> spareWords) {
    if (entries.size() > TSkinReader::MaxEntries)
        invalid(QStringLiteral("%1 entries are more than the %2 a skin package can hold")
                    .arg(entries.size())
                    .arg(TSkinReader::MaxEntries));
    QByteArray names;
    qint64 total = TSkinReader::HeaderSize;
    for (const TSkinPackageEntry& entry : entries) {
        for (QChar ch : entry.Name)
            if (ch.unicode() > 0xFF || ch == QLatin1Char('\r') || ch == QLatin1Char('\n') ||
                ch == QChar(0))
                invalid(QStringLiteral("the name \"%1\" cannot be stored in a skin package")
                            .arg(entry.Name));
        names += entry.Name.toLatin1();
        names += "\r\n";
        total += 4 + entry.Data.size();
    }
    total += names.size();
    if (total > TLZH::MaxUnpackedSize)
        invalid(QStringLiteral("the entries take %1 bytes, more than the %2 a skin package "
                               "can hold")
                    .arg(total)
                    .arg(TLZH::MaxUnpackedSize));

    QByteArray out;
    out.reserve(qsizetype(total));
    appendWord(out, TSkinReader::PackageVersion);
    appendWord(out, qint32(names.size()));
    appendWord(out, spareWords[0]);
    appendWord(out, spareWords[1]);
    out += names;
    for (const TSkinPackageEntry& entry : entries)
        appendWord(out, qint32(entry.Data.size()));
    for (const TSkinPackageEntry& entry : entries)
        out += entry.Data;
    return out;
}

QByteArray PackSkinPackage(const QList<TSkinPackageEntry>& entries) {
    return TLZH::PackBytes(BuildSkinPackage(entries));
}

} // namespace orvik
