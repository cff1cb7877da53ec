#pragma once

#include <QString>
#include <QStringList>

namespace orvik {

// Fills the "%s" placeholders of a message left to right, one per replacement text. A
// replacement is never re-scanned for its own "%s"; replacements with no placeholder left
// are ignored.
QString FillPlaceholders(const QString& message, const QStringList& replacements);

// Replaces every occurrence of find in text, searching on from the end of each inserted
// replacement, so a replacement that contains find cannot loop. An empty find changes nothing.
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);

} // namespace orvik
