#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace orvik {

// XML ".asx" playlists. The player library cannot read them, so the program fetches the
// document itself and hands the entries to the player one by one.
namespace asx {

// Largest document read, and most entries taken from it.
inline constexpr qint64 kMaxDocumentBytes = 1024 * 1024;
inline constexpr int kMaxEntries = 64;
inline constexpr int kMaxHrefLength = 8192;

// True when the address names an .asx document by its path (any letter case), e.g.
// "http://host/live.asx?id=3" or "/home/me/radio.ASX".
bool IsAsxAddress(const QString& address);

// The address as a URL the network layer can fetch: http(s) and file URLs as given, a bare
// absolute path as a file URL. Invalid when it is neither.
QUrl FetchableUrl(const QString& address);

// True when the bytes start (after a byte order mark, white space, an XML declaration and
// comments) with an <asx> element, letter case ignored.
bool LooksLikeAsx(const QByteArray& data);

// The <ref href="..."> addresses of the document, in document order, resolved against base,
// with character references decoded. Element and attribute names are matched in any letter
// case; the reading is tolerant of documents that are not well-formed XML, as many are.
// Entries whose scheme a remote playlist may not name (anything but the network streaming
// schemes, plus file: when base itself is a local file) are left out, and so are empty and
// over-long ones. At most kMaxEntries are returned.
QStringList ParseRefs(const QByteArray& data, const QUrl& base);

} // namespace asx
} // namespace orvik
