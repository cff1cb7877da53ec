#pragma once

#include <QString>

#include <functional>

namespace orvik {

// Copies the file from to the path to, unless to exists. The bytes go to a temporary file
// beside to, are flushed to the disk, and only then get to's name, in one step that never
// replaces a file (so a copy cut short leaves no file under that name, and a file someone else
// made meanwhile is kept). Returns true when the copy was made, false when to was already
// there. Throws orvik::Error on a failure, leaving nothing behind. Leftovers of copies cut
// short earlier (older than ten minutes) are removed. onChunk sees the bytes copied so far.
bool copyFileWithoutReplacing(const QString& from, const QString& to,
                              const std::function<void(qint64)>& onChunk = {});

} // namespace orvik
