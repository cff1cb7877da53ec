// ASX through the players' reader, and the choice of reader for a file.
#include "app/catalogue/PlaylistReader.h"

#include "app/catalogue/PlaylistText.h"
#include "app/catalogue/StreamAddress.h"
#include "app/player/AsxPlaylist.h"
#include "core/ErrorWrapper.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace orvik {

namespace {

QString documentText(const QByteArray& data) {
    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(data);
}

// The <title> of an ASX block, with the few entities such titles carry decoded.
QString asxTitle(const QString& block) {
    const qsizetype open = block.indexOf(u"<title", 0, Qt::CaseInsensitive);
    if (open < 0)
        return {};
    const qsizetype start = block.indexOf(u'>', open);
    const qsizetype close = start < 0 ? -1 : block.indexOf(u"</title", start, Qt::CaseInsensitive);
    if (close < 0)
        return {};
    QString text = block.mid(start + 1, close - start - 1).trimmed();
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&apos;"), QStringLiteral("'"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

qsizetype countRefs(const QString& text) {
    static const QRegularExpression ref(QStringLiteral("<ref\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    qsizetype n = 0;
    for (auto it = ref.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

enum class Format { M3u, Pls, Xspf, Asx, Unknown };

Format formatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"m3u" || suffix == u"m3u8")
        return Format::M3u;
    if (suffix == u"pls")
        return Format::Pls;
    if (suffix == u"xspf")
        return Format::Xspf;
    if (suffix == u"asx")
        return Format::Asx;
    return Format::Unknown;
}

Format formatOfContent(const QByteArray& head) {
    const QString text = DecodeLine(head.left(4096)).trimmed();
    if (asx::LooksLikeAsx(head))
        return Format::Asx;
    if (text.startsWith(u"[playlist]", Qt::CaseInsensitive))
        return Format::Pls;
    if (text.startsWith(u"<"))
        return Format::Xspf;
    return Format::M3u;
}

} // namespace

TPlaylist ReadAsx(const QByteArray& document, const QUrl& base) {
    if (!asx::LooksLikeAsx(document))
        throw Error(QStringLiteral("The file is not an ASX playlist."));
    TPlaylist list;
    list.Format = QStringLiteral("ASX");
    const QString text = documentText(document.left(asx::kMaxDocumentBytes));
    list.Truncated = document.size() > asx::kMaxDocumentBytes;
    const qsizetype firstEntry = text.indexOf(u"<entry", 0, Qt::CaseInsensitive);
    const QString documentTitle = asxTitle(firstEntry < 0 ? text : text.left(firstEntry));

    // Each <entry> on its own, so that its title goes with its references; references outside
    // any entry are read from the whole document. One pass: an entry that is not closed runs
    // to the end of the document.
    QList<QPair<QString, QString>> blocks; // (text, title)
    for (qsizetype pos = text.indexOf(u"<entry", 0, Qt::CaseInsensitive); pos >= 0;) {
        const qsizetype close = text.indexOf(u"</entry", pos + 6, Qt::CaseInsensitive);
        const qsizetype end = close < 0 ? text.size() : close + 7;
        const QString block = text.mid(pos, end - pos);
        blocks.append({block, asxTitle(block)});
        pos = close < 0 ? -1 : text.indexOf(u"<entry", end, Qt::CaseInsensitive);
    }
    if (blocks.isEmpty())
        blocks.append({text, documentTitle});

    qsizetype refs = 0, overLimit = 0;
    for (const auto& [block, title] : blocks) {
        const qsizetype inBlock = countRefs(block);
        refs += inBlock;
        if (list.Entries.size() >= asx::kMaxEntries) {
            overLimit += inBlock;
            list.Truncated = true;
            continue;
        }
        // The players' reader keeps the addresses a remote list may name; the import then takes
        // only the stream schemes.
        for (const QString& ref : asx::ParseRefs(block.toUtf8(), base)) {
            if (list.Entries.size() >= asx::kMaxEntries)
                break;
            if (!IsStreamAddress(ref)) {
                ++list.Refused;
                continue;
            }
            TPlaylistEntry e;
            e.Url = ref;
            e.Name = SingleLine(title.isEmpty() ? (documentTitle.isEmpty() ? ref : documentTitle)
                                                : title,
                                kMaxTextLength);
            list.Entries.append(std::move(e));
        }
    }
    // References the reader left out (refused schemes, broken or over-long ones).
    const qsizetype taken = list.Entries.size() + list.Refused + overLimit;
    if (refs > taken)
        list.Refused += refs - taken;
    return list;
}

TPlaylist ReadPlaylistFile(const QString& path, const TProgress& progress) {
    QFile file(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (QFileInfo(path).isDir())
        throw Error(QStringLiteral("%1 is a folder, not a playlist.").arg(shown));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open %1: %2").arg(shown, file.errorString()));
    const QByteArray head = file.peek(64 * 1024);
    if (LooksBinary(head))
        throw Error(QStringLiteral("%1 is not a playlist: it holds binary data.").arg(shown));

    Format format = formatOfName(path);
    if (format == Format::Unknown)
        format = formatOfContent(head);
    switch (format) {
    case Format::Pls:
        return ReadPls(file, progress);
    case Format::Xspf:
        return ReadXspf(file, progress);
    case Format::Asx:
        return ReadAsx(file.read(asx::kMaxDocumentBytes + 1), QUrl::fromLocalFile(path));
    default:
        return ReadM3u(file, progress);
    }
}

} // namespace orvik
