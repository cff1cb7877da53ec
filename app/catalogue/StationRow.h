#pragma once

#include <QtGlobal>

// One station as the station tree keeps it: ids, flags and the lengths of its texts, which
// lie one after the other (UTF-8) in the tree's text store from offset text on. 48 bytes a
// station; the full record (TItem) is made from it when a caller asks for the station's node.
struct TStationRow {
    enum Text { Name, Url, Website, Comment, Bitrate, TextCount };
    qint64 id = 0;
    quint64 text = 0;
    quint32 length[TextCount] = {};
    qint32 created = 0; // days as yyyymmdd
    qint32 played = 0;
    quint8 image = 0; // 255: no icon
    quint8 flags = 0;
    static constexpr quint8 IdExact = 1, Favorite = 2;
};
