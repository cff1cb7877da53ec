#pragma once

// Writing skin packages (the layout TSkinReader reads), for the orvik-skin tool, the tests and
// the benchmarks. The program itself never writes packages.

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

struct TSkinPackageEntry {
    QString Name; // a plain file name, Latin-1, no CR, LF or NUL
    QByteArray Data;
};

namespace orvik {

// The unpacked package: header (version 20000, names length, the two spare words), the names
// each ended by CR LF, the sizes, the data. Throws std::invalid_argument for a name that cannot
// be stored, more than TSkinReader::MaxEntries entries or more than 64 MiB in all.
QByteArray BuildSkinPackage(const QList<TSkinPackageEntry>& entries,
                            std::array<qint32, 2> spareWords = {0, 0});

// BuildSkinPackage packed into a container: the content of a .skn file.
QByteArray PackSkinPackage(const QList<TSkinPackageEntry>& entries);

} // namespace orvik
