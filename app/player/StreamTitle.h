#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace orvik {

// The longest now-playing title the program shows; longer ones are cut and end in "...".
constexpr int kMaxTitleLength = 200;

// A stream's title as the program may show it. Stream titles come from whoever runs the
// server: control characters (and the invisible ones that turn text around) are removed, runs
// of white space become one space, and the result is cut to kMaxTitleLength characters
// without splitting a character. The text is plain; callers show it as plain text.
QString CleanTitle(const QString& raw, int maxLength = kMaxTitleLength);

// The now-playing title in a stream's metadata (key, value pairs as libmpv lists them): the
// ICY StreamTitle first, else the title tag (with the artist in front when there is one), as
// Ogg comments and HLS tags give them. Keys are compared without case. Empty when none.
QString TitleFromMetadata(const QList<QPair<QString, QString>>& metadata);

} // namespace orvik
