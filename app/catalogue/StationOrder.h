#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// The place of a station's name in "order by s_name", as SQLite's sort compares values: NULL
// first, then numbers by value, then texts byte by byte (shorter first when one begins the
// other), then blobs the same way. Text and blob bytes lie in the station texts (a name kept as
// read) or in a store of their own (a name whose bytes the texts do not keep as they are).
struct TNameKey {
    enum Kind : quint8 { Null, Integer, Real, Text, RawText, Blob };
    quint64 prefix = 0; // the first eight bytes, big-endian, zero-padded
    quint64 offset = 0; // of the bytes; for a number its bits
    quint32 length = 0;
    quint32 row = 0; // the row's place in the order it was read
    Kind kind = Null;
};

// The rows in name order; rows with equal names keep the order they were read in, as SQLite's
// sort of a table's rows keeps them.
std::vector<quint32> NameOrder(std::vector<TNameKey> keys, const QByteArray& texts,
                               const QByteArray& raw);

// The key of a name of those bytes at offset in their store.
TNameKey BytesKey(TNameKey::Kind kind, const char* bytes, qsizetype size, quint64 offset,
                  quint32 row);
