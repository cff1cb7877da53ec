#include "app/player/StreamTitle.h"

namespace orvik {

namespace {

// Characters that change how text around them is laid out without being seen.
bool isInvisibleControl(char32_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029 || c == 0xFEFF;
}

QString valueOf(const QList<QPair<QString, QString>>& metadata, QStringView key) {
    for (const auto& [k, v] : metadata)
        if (k.compare(key, Qt::CaseInsensitive) == 0 && !v.trimmed().isEmpty())
            return v;
    return QString();
}

} // namespace

QString CleanTitle(const QString& raw, int maxLength) {
    QString out;
    out.reserve(std::min<qsizetype>(raw.size(), qsizetype(maxLength) * 2 + 8));
    bool space = false;
    int length = 0; // in characters, not UTF-16 units
    bool cut = false;
    const QList<uint> chars = raw.toUcs4();
    for (const uint c : chars) {
        const char32_t ch = c;
        if (QChar::isSpace(ch)) {
            space = length > 0;
            continue;
        }
        if (QChar::category(ch) == QChar::Other_Control || isInvisibleControl(ch) ||
            QChar::category(ch) == QChar::Other_Surrogate || ch > 0x10FFFF)
            continue;
        if (length + (space ? 1 : 0) + 1 > maxLength) {
            cut = true;
            break;
        }
        if (space) {
            out += u' ';
            ++length;
            space = false;
        }
        out += QString::fromUcs4(&ch, 1);
        ++length;
    }
    if (cut) {
        // Room for the mark that says the title goes on.
        while (length > std::max(0, maxLength - 3)) {
            const bool pair = out.size() >= 2 && out.back().isLowSurrogate();
            out.chop(pair ? 2 : 1);
            --length;
        }
        out = out.trimmed() + QStringLiteral("...");
    }
    return out;
}

QString TitleFromMetadata(const QList<QPair<QString, QString>>& metadata) {
    const QString icy = valueOf(metadata, u"icy-title");
    if (!icy.isEmpty())
        return icy;
    const QString title = valueOf(metadata, u"title");
    if (title.isEmpty())
        return QString();
    const QString artist = valueOf(metadata, u"artist");
    return artist.isEmpty() ? title : artist + QStringLiteral(" - ") + title;
}

} // namespace orvik
