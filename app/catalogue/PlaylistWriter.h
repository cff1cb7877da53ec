#pragma once

#include "app/catalogue/Playlist.h"

#include <optional>

class QIODevice;

namespace orvik {

enum class TPlaylistFormat { M3u, Pls, Xspf };

// The format a file name asks for: .m3u and .m3u8 extended M3U, .pls PLS, .xspf XSPF; none
// for any other name.
std::optional<TPlaylistFormat> WritableFormat(const QString& path);

// The writers, in UTF-8. Every text goes out as one line (line breaks and other control
// characters become spaces), so no station can add lines of its own to the file. Extended M3U
// carries the group (group-title), the language (tvg-language) and the country and logo kept
// in the comment (tvg-country, tvg-logo); XSPF the comment (annotation) and the web site
// (info); PLS names and addresses only. progress gets entries written of all of them.
void WriteM3u(QIODevice& device, const QList<TPlaylistEntry>& entries,
              const TProgress& progress = {});
void WritePls(QIODevice& device, const QList<TPlaylistEntry>& entries,
              const TProgress& progress = {});
void WriteXspf(QIODevice& device, const QList<TPlaylistEntry>& entries,
               const TProgress& progress = {});

// Writes a playlist file in the format its name asks for. The file is written aside and
// replaces one of the same name only once complete: an error or TCancelled leaves what was
// there. Throws orvik::Error for a name of no known format or a file that cannot be written.
void WritePlaylistFile(const QString& path, const QList<TPlaylistEntry>& entries,
                       const TProgress& progress = {});

} // namespace orvik
