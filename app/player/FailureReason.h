#pragma once

#include <QString>
#include <QStringList>

namespace orvik {

// Why a stream could not be opened, in words a user understands, from what libmpv logged while
// it tried (each line "prefix: text") and the error code its end-of-file event carried (0 when
// none). Always a sentence; a cause that cannot be told gives a general one. waitedOut: the load
// lasted the whole network timeout, so a failure the log does not explain is the server's
// silence (the network layer gives up on a silent server without a word).
QString FailureReason(const QStringList& log, int mpvError, bool waitedOut = false);

// Whether a line libmpv logged (its prefix, its text) can tell why a stream failed: lines of the
// network, stream and demuxer layers and the player's own, but not the player's echo of the
// properties and options it was given ("Set property: network-timeout=…" names no cause).
bool TellsWhyLoadFailed(const QString& prefix, const QString& text);

// Whether a kept line names a cause that FailureReason can tell (refused, not found, …).
bool NamesCause(const QString& line);

} // namespace orvik
