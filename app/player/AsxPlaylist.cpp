#include "app/player/AsxPlaylist.h"

#include <QDir>
#include <QStringDecoder>

namespace orvik::asx {

namespace {

QString decodeDocument(const QByteArray& data) {
    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(data);
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

// Skips white space, comments, processing instructions and doctype declarations from pos;
// returns the position of the first other character.
qsizetype skipProlog(const QString& text, qsizetype pos) {
    for (;;) {
        while (pos < text.size() && (text[pos].isSpace() || text[pos] == QChar(0xFEFF)))
            ++pos;
        if (text.mid(pos, 4) == u"<!--") {
            const qsizetype end = text.indexOf(u"-->", pos + 4);
            if (end < 0)
                return text.size();
            pos = end + 3;
        } else if (text.mid(pos, 2) == u"<?" || text.mid(pos, 2) == u"<!") {
            const qsizetype end = text.indexOf(u'>', pos + 2);
            if (end < 0)
                return text.size();
            pos = end + 1;
        } else {
            return pos;
        }
    }
}

QString decodeEntities(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'&') {
            out += value[i];
            continue;
        }
        const qsizetype semi = value.indexOf(u';', i + 1);
        if (semi < 0 || semi - i > 10) {
            out += value[i]; // a bare ampersand, as loose documents have in query strings
            continue;
        }
        const QString name = value.mid(i + 1, semi - i - 1);
        QString replacement;
        if (name.compare(u"amp", Qt::CaseInsensitive) == 0)
            replacement = QStringLiteral("&");
        else if (name.compare(u"lt", Qt::CaseInsensitive) == 0)
            replacement = QStringLiteral("<");
        else if (name.compare(u"gt", Qt::CaseInsensitive) == 0)
            replacement = QStringLiteral(">");
        else if (name.compare(u"quot", Qt::CaseInsensitive) == 0)
            replacement = QStringLiteral("\"");
        else if (name.compare(u"apos", Qt::CaseInsensitive) == 0)
            replacement = QStringLiteral("'");
        else if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.startsWith(u"#x", Qt::CaseInsensitive)
                                  ? name.mid(2).toUInt(&ok, 16)
                                  : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF))
                replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        }
        if (replacement.isNull()) {
            out += value[i];
            continue;
        }
        out += replacement;
        i = semi;
    }
    return out;
}

// Reads the attributes of a start tag from pos (just after its name) up to its '>'; returns
// the value of the attribute named name, or a null string. end receives the position after
// the tag.
QString attributeValue(const QString& text, qsizetype pos, QStringView name, qsizetype& end) {
    QString found;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
        if (pos >= text.size())
            break;
        if (text[pos] == u'>' || text[pos] == u'/') {
            if (text[pos] == u'/' && pos + 1 < text.size() && text[pos + 1] != u'>') {
                ++pos;
                continue;
            }
            pos += text[pos] == u'>' ? 1 : 2;
            end = pos;
            return found;
        }
        const qsizetype nameStart = pos;
        while (pos < text.size() && isNameChar(text[pos]))
            ++pos;
        if (pos == nameStart) {
            ++pos; // junk in the tag: step over it
            continue;
        }
        const QString attr = text.mid(nameStart, pos - nameStart);
        while (pos < text.size() && text[pos].isSpace())
            ++pos;
        QString value;
        if (pos < text.size() && text[pos] == u'=') {
            ++pos;
            while (pos < text.size() && text[pos].isSpace())
                ++pos;
            if (pos < text.size() && (text[pos] == u'"' || text[pos] == u'\'')) {
                const QChar quote = text[pos];
                const qsizetype close = text.indexOf(quote, pos + 1);
                if (close < 0) { // unterminated: the rest of the document is not a value
                    end = text.size();
                    return found;
                }
                value = text.mid(pos + 1, close - pos - 1);
                pos = close + 1;
            } else {
                const qsizetype start = pos;
                while (pos < text.size() && !text[pos].isSpace() && text[pos] != u'>')
                    ++pos;
                value = text.mid(start, pos - start);
            }
        }
        if (found.isNull() && attr.compare(name, Qt::CaseInsensitive) == 0)
            found = value.isNull() ? QStringLiteral("") : value;
    }
    end = text.size();
    return found;
}

bool schemeAllowed(const QString& scheme, bool localBase) {
    static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("mms"),  QStringLiteral("mmsh"),
                                        QStringLiteral("mmst"), QStringLiteral("rtsp"),
                                        QStringLiteral("rtmp"), QStringLiteral("rtmps")};
    if (network.contains(scheme))
        return true;
    return localBase && scheme == u"file";
}

} // namespace

bool IsAsxAddress(const QString& address) {
    const QUrl url(address);
    QString path = url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1
                       ? url.path()
                       : address.section(u'?', 0, 0);
    return path.endsWith(u".asx", Qt::CaseInsensitive);
}

QUrl FetchableUrl(const QString& address) {
    if (QDir::isAbsolutePath(address) && !address.contains(u"://"))
        return QUrl::fromLocalFile(address);
    const QUrl url(address);
    const QString scheme = url.scheme();
    if (url.isValid() && (scheme == u"http" || scheme == u"https" || scheme == u"file"))
        return url;
    return {};
}

bool LooksLikeAsx(const QByteArray& data) {
    const QString text = decodeDocument(data.left(4096));
    const qsizetype pos = skipProlog(text, 0);
    if (text.mid(pos, 4).compare(u"<asx", Qt::CaseInsensitive) != 0)
        return false;
    if (pos + 4 >= text.size())
        return true; // the head of a document cut short
    const QChar next = text[pos + 4];
    return next.isSpace() || next == u'>' || next == u'/';
}

QStringList ParseRefs(const QByteArray& data, const QUrl& base) {
    QStringList refs;
    const QString text = decodeDocument(data.left(kMaxDocumentBytes));
    const bool localBase = base.isLocalFile();
    qsizetype pos = 0;
    while (refs.size() < kMaxEntries) {
        pos = text.indexOf(u'<', pos);
        if (pos < 0)
            break;
        if (text.mid(pos, 4) == u"<!--") {
            const qsizetype end = text.indexOf(u"-->", pos + 4);
            if (end < 0)
                break;
            pos = end + 3;
            continue;
        }
        qsizetype nameEnd = pos + 1;
        while (nameEnd < text.size() && isNameChar(text[nameEnd]))
            ++nameEnd;
        const QStringView name = QStringView(text).mid(pos + 1, nameEnd - pos - 1);
        if (name.compare(u"ref", Qt::CaseInsensitive) != 0) {
            pos = nameEnd;
            continue;
        }
        qsizetype tagEnd = nameEnd;
        const QString href = attributeValue(text, nameEnd, u"href", tagEnd).trimmed();
        pos = tagEnd;
        if (href.isEmpty() || href.size() > kMaxHrefLength)
            continue;
        const QUrl resolved = base.resolved(QUrl(decodeEntities(href)));
        if (!resolved.isValid() || !schemeAllowed(resolved.scheme().toLower(), localBase))
            continue;
        refs +=
            resolved.isLocalFile() ? resolved.toLocalFile() : resolved.toString(QUrl::FullyEncoded);
    }
    return refs;
}

} // namespace orvik::asx
