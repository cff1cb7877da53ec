#pragma once

#include "app/catalogue/Playlist.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <exception>

class QIODevice;

namespace orvik {

// A read or write stopped by its progress callback.
class TCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

// The readers of the playlist formats. Each reads what it can: a broken line or entry is
// counted in Unreadable, an address with a refused scheme in Refused, and reading goes on; past
// kMaxPlaylistEntries the list is cut (Truncated). A file that is no playlist of the format at
// all throws orvik::Error with a message for the user. progress gets bytes read of the device's
// size; when it answers false the read throws TCancelled.

// M3U and M3U8, plain (one address per line) and extended (#EXTM3U, #EXTINF with duration,
// attributes and title, #EXTGRP).
TPlaylist ReadM3u(QIODevice& device, const TProgress& progress = {});
// PLS: FileN, TitleN and LengthN in any order, with numbers missing.
TPlaylist ReadPls(QIODevice& device, const TProgress& progress = {});
// XSPF: track location, title, annotation and info. No entity of the document is fetched.
TPlaylist ReadXspf(QIODevice& device, const TProgress& progress = {});
// ASX, through the reader the players use; base resolves relative references.
TPlaylist ReadAsx(const QByteArray& document, const QUrl& base);

// Reads a playlist file: the format from the file name's extension (.m3u, .m3u8, .pls,
// .xspf, .asx), else from the file's first bytes. Throws orvik::Error when the file cannot be
// read or holds no playlist (binary data, for one).
TPlaylist ReadPlaylistFile(const QString& path, const TProgress& progress = {});

// The comment an imported station gets from its description, country and logo address (the
// logo is kept as an address, never fetched), and the two read back for an export.
QString ComposeComment(const QString& description, const QString& country, const QString& logo);
QString CommentCountry(const QString& comment);
QString CommentLogo(const QString& comment);

} // namespace orvik
