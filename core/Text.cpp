#include "core/Text.h"

namespace orvik {

QString FillPlaceholders(const QString& message, const QStringList& replacements) {
    // Each replacement takes the first "%s" still in the text, searched from the start, so a
    // "%s" brought in by one replacement is the one the next replacement fills.
    QString out = message;
    for (const QString& r : replacements) {
        const qsizetype at = out.indexOf(QStringLiteral("%s"));
        if (at < 0)
            break;
        out.replace(at, 2, r);
    }
    return out;
}

QString ReplaceAll(const QString& text, const QString& find, const QString& replacement) {
    if (find.isEmpty())
        return text;
    QString out = text;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = out.indexOf(find, from);
        if (at < 0)
            break;
        out.replace(at, find.size(), replacement);
        from = at + replacement.size();
    }
    return out;
}

} // namespace orvik
