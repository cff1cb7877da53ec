#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace orvik {

// One station read from a playlist file, or to be written to one. Texts are single lines:
// readers and writers drop line breaks and other control characters.
struct TPlaylistEntry {
    QString Name;
    QString Url;
    // The group the file files the entry under (group-title, #EXTGRP); empty when none.
    QString Group;
    QString Language;
    QString Comment;
    QString Website;
    QString Bitrate;
};

// What a reader took from a file.
struct TPlaylist {
    QString Format; // "M3U", "PLS", "XSPF" or "ASX"
    QList<TPlaylistEntry> Entries;
    // Lines or entries that could not be read (broken, over-long, without an address).
    qint64 Unreadable = 0;
    // Entries whose address names a scheme Orvik does not play (file:, javascript:, ...).
    qint64 Refused = 0;
    // The file holds more entries than one import takes; the rest was not read.
    bool Truncated = false;
};

// Bounds of one read: a file past them gives a partial list, never unbounded work.
inline constexpr qint64 kMaxPlaylistEntries = 1'000'000;
inline constexpr qint64 kMaxPlaylistLine = 64 * 1024;
inline constexpr qsizetype kMaxAddressLength = 8192;
inline constexpr qsizetype kMaxTextLength = 4096;

// Reports how far a read or a write has got (done of total, in bytes or rows); answers false
// to stop it.
using TProgress = std::function<bool(qint64 done, qint64 total)>;

} // namespace orvik
