// The XSPF reader, over QXmlStreamReader: it expands no external entity, and it stops internal
// entities that expand past a small limit, so a hostile document cannot blow up.
#include "app/catalogue/PlaylistReader.h"

#include "app/catalogue/StreamAddress.h"
#include "core/ErrorWrapper.h"

#include <QIODevice>
#include <QXmlStreamReader>

#include <optional>

namespace orvik {

namespace {

struct Track {
    QStringList locations;
    QString title, annotation, info;
};

// The text of the element the reader stands on, from character data only: entity references
// that were not expanded (external ones) give nothing.
QString elementText(QXmlStreamReader& xml) {
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            if (text.size() < kMaxAddressLength * 2)
                text += xml.text();
            break;
        default:
            break;
        }
    }
    return text.trimmed();
}

} // namespace

TPlaylist ReadXspf(QIODevice& device, const TProgress& progress) {
    TPlaylist list;
    list.Format = QStringLiteral("XSPF");
    QXmlStreamReader xml(&device);
    xml.setNamespaceProcessing(true);
    const qint64 size = device.isSequential() ? 0 : device.size();
    bool root = false;
    qint64 tokens = 0;
    std::optional<Track> track;

    auto finish = [&](Track& t) {
        QString address;
        bool refused = false;
        for (const QString& location : t.locations) {
            const QString clean = CleanAddress(location);
            const TAddressKind kind = ClassifyAddress(clean);
            if (kind == TAddressKind::Stream) {
                address = clean;
                break;
            }
            refused = refused || kind == TAddressKind::Refused;
        }
        if (address.isEmpty()) {
            if (refused)
                ++list.Refused;
            else
                ++list.Unreadable;
            return;
        }
        TPlaylistEntry entry;
        entry.Url = address;
        entry.Name = SingleLine(t.title.isEmpty() ? address : t.title, kMaxTextLength);
        entry.Comment = SingleLine(t.annotation, kMaxTextLength);
        entry.Website = SingleLine(t.info, kMaxTextLength);
        list.Entries.append(std::move(entry));
    };

    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (++tokens % 4096 == 0 && progress && !progress(device.pos(), size))
            throw TCancelled();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (!root) {
                if (name != u"playlist")
                    throw Error(QStringLiteral("The file is not an XSPF playlist."));
                root = true;
            } else if (name == u"track") {
                track.emplace();
            } else if (track) {
                if (name == u"location")
                    track->locations << elementText(xml);
                else if (name == u"title")
                    track->title = elementText(xml);
                else if (name == u"annotation")
                    track->annotation = elementText(xml);
                else if (name == u"info")
                    track->info = elementText(xml);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"track" && track) {
            finish(*track);
            track.reset();
            if (list.Entries.size() >= kMaxPlaylistEntries) {
                list.Truncated = true;
                return list;
            }
        }
    }
    if (xml.hasError()) {
        if (!root)
            throw Error(
                QStringLiteral("The file is not an XSPF playlist: %1.").arg(xml.errorString()));
        // A document broken part-way (or one that tried to expand entities without end): the
        // tracks read before the break stay, the broken one counts as unreadable.
        ++list.Unreadable;
    }
    return list;
}

} // namespace orvik
