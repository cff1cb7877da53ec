#include "app/catalogue/StreamAddress.h"

#include "app/catalogue/Playlist.h"

namespace orvik {

QString CleanAddress(const QString& address) {
    QString trimmed = address.trimmed();
    if (trimmed.size() > kMaxAddressLength)
        return {};
    // Lists written by hand now and then carry a space inside an address.
    if (trimmed.contains(u' '))
        trimmed.replace(u' ', QStringLiteral("%20"));
    return trimmed;
}

bool IsStreamAddress(const QString& address) {
    const qsizetype colon = address.indexOf(u':');
    if (colon <= 0 || colon + 1 >= address.size())
        return false;
    const QString scheme = address.left(colon).toLower();
    static const QStringList allowed = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("mms"),  QStringLiteral("mmsh"),
                                        QStringLiteral("rtsp"), QStringLiteral("rtmp"),
                                        QStringLiteral("udp"),  QStringLiteral("rtp")};
    if (!allowed.contains(scheme))
        return false;
    // "http:" alone, or "http:x" without the two slashes, is no network address.
    if (!QStringView(address).mid(colon + 1).startsWith(u"//") || address.size() <= colon + 3)
        return false;
    for (QChar c : address)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSpace())
            return false;
    return true;
}

TAddressKind ClassifyAddress(const QString& address) {
    if (address.isEmpty())
        return TAddressKind::Unreadable;
    if (IsStreamAddress(address))
        return TAddressKind::Stream;
    for (QChar c : address)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.isSpace() || c == QChar(0xFFFD))
            return TAddressKind::Unreadable;
    // A scheme (letter, then letters, digits, "+", "-" or "."), or a local path.
    const QChar first = address[0];
    if (first == u'/' || first == u'\\' || first == u'~' || first == u'.')
        return TAddressKind::Refused;
    const qsizetype colon = address.indexOf(u':');
    if (colon > 0 && first.isLetter() && first.unicode() < 0x80) {
        bool scheme = true;
        for (qsizetype i = 1; i < colon && scheme; ++i) {
            const QChar c = address[i];
            scheme =
                c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.');
        }
        if (scheme)
            return TAddressKind::Refused;
    }
    return TAddressKind::Unreadable;
}

QString SingleLine(const QString& text, qsizetype maxLength) {
    QString out = text.left(maxLength);
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar(0x2028) || c == QChar(0x2029))
            c = u' ';
    return out.trimmed();
}

} // namespace orvik
