#include "app/catalogue/PlaylistWriter.h"

#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/StreamAddress.h"
#include "core/ErrorWrapper.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

namespace orvik {

namespace {

QByteArray line(const QString& text) {
    return SingleLine(text, kMaxTextLength).toUtf8();
}

// An attribute value of an #EXTINF line: the format has no way to quote a double quote.
QByteArray attribute(const QString& text) {
    QString value = SingleLine(text, kMaxTextLength);
    value.replace(u'"', u'\'');
    return value.toUtf8();
}

void put(QIODevice& device, const QByteArray& bytes) {
    if (device.write(bytes) != bytes.size())
        throw Error(QStringLiteral("Cannot write the playlist: %1").arg(device.errorString()));
}

void step(const TProgress& progress, qsizetype done, qsizetype total) {
    if (progress && done % 1024 == 0 && !progress(done, total))
        throw TCancelled();
}

} // namespace

std::optional<TPlaylistFormat> WritableFormat(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"m3u" || suffix == u"m3u8")
        return TPlaylistFormat::M3u;
    if (suffix == u"pls")
        return TPlaylistFormat::Pls;
    if (suffix == u"xspf")
        return TPlaylistFormat::Xspf;
    return std::nullopt;
}

void WriteM3u(QIODevice& device, const QList<TPlaylistEntry>& entries, const TProgress& progress) {
    put(device, "#EXTM3U\n");
    QByteArray out;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        step(progress, i, entries.size());
        const TPlaylistEntry& e = entries[i];
        out = "#EXTINF:-1";
        auto attr = [&out](const char* key, const QString& value) {
            if (value.trimmed().isEmpty())
                return;
            out += ' ';
            out += key;
            out += "=\"";
            out += attribute(value);
            out += '"';
        };
        attr("tvg-language", e.Language);
        attr("tvg-country", CommentCountry(e.Comment));
        attr("tvg-logo", CommentLogo(e.Comment));
        attr("group-title", e.Group);
        out += ',';
        out += line(e.Name);
        out += '\n';
        out += line(e.Url);
        out += '\n';
        put(device, out);
    }
}

void WritePls(QIODevice& device, const QList<TPlaylistEntry>& entries, const TProgress& progress) {
    put(device, "[playlist]\n");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        step(progress, i, entries.size());
        const QByteArray n = QByteArray::number(i + 1);
        put(device, "File" + n + '=' + line(entries[i].Url) + "\nTitle" + n + '=' +
                        line(entries[i].Name) + "\nLength" + n + "=-1\n");
    }
    put(device, "NumberOfEntries=" + QByteArray::number(entries.size()) + "\nVersion=2\n");
}

void WriteXspf(QIODevice& device, const QList<TPlaylistEntry>& entries, const TProgress& progress) {
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("playlist"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
    xml.writeDefaultNamespace(QStringLiteral("http://xspf.org/ns/0/"));
    xml.writeStartElement(QStringLiteral("trackList"));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        step(progress, i, entries.size());
        const TPlaylistEntry& e = entries[i];
        xml.writeStartElement(QStringLiteral("track"));
        xml.writeTextElement(QStringLiteral("location"), SingleLine(e.Url, kMaxTextLength));
        xml.writeTextElement(QStringLiteral("title"), SingleLine(e.Name, kMaxTextLength));
        if (!e.Comment.trimmed().isEmpty())
            xml.writeTextElement(QStringLiteral("annotation"),
                                 SingleLine(e.Comment, kMaxTextLength));
        if (!e.Website.trimmed().isEmpty())
            xml.writeTextElement(QStringLiteral("info"), SingleLine(e.Website, kMaxTextLength));
        xml.writeEndElement();
        if (xml.hasError())
            break;
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    if (xml.hasError())
        throw Error(QStringLiteral("Cannot write the playlist: %1").arg(device.errorString()));
}

void WritePlaylistFile(const QString& path, const QList<TPlaylistEntry>& entries,
                       const TProgress& progress) {
    const auto format = WritableFormat(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!format)
        throw Error(QStringLiteral("Cannot tell the format of %1: playlists are written as "
                                   ".m3u, .m3u8, .pls or .xspf files.")
                        .arg(shown));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Cannot write %1: %2").arg(shown, file.errorString()));
    switch (*format) {
    case TPlaylistFormat::M3u:
        WriteM3u(file, entries, progress);
        break;
    case TPlaylistFormat::Pls:
        WritePls(file, entries, progress);
        break;
    case TPlaylistFormat::Xspf:
        WriteXspf(file, entries, progress);
        break;
    }
    if (!file.commit())
        throw Error(QStringLiteral("Cannot write %1: %2").arg(shown, file.errorString()));
}

} // namespace orvik
