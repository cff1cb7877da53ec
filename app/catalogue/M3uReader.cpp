// The M3U reader: plain lists of addresses, and extended lists with #EXTINF lines.
#include "app/catalogue/PlaylistReader.h"

#include "app/catalogue/PlaylistText.h"
#include "app/catalogue/StreamAddress.h"

#include <QIODevice>

namespace orvik {

namespace {

struct Extinf {
    QString title;
    QString tvgName, logo, country, language, group;
    bool broken = false;
};

// "#EXTINF:<duration> key="value" key=value ...,<title>": the title is what follows the first
// comma outside quotes.
Extinf parseExtinf(QStringView rest) {
    Extinf out;
    qsizetype i = 0;
    const qsizetype n = rest.size();
    while (i < n && rest[i] != u',' && !rest[i].isSpace())
        ++i; // the duration
    while (i < n) {
        while (i < n && rest[i].isSpace())
            ++i;
        if (i >= n)
            break;
        if (rest[i] == u',') {
            out.title = rest.mid(i + 1).toString();
            return out;
        }
        const qsizetype keyStart = i;
        while (i < n && rest[i] != u'=' && rest[i] != u',' && !rest[i].isSpace())
            ++i;
        const QString key = rest.mid(keyStart, i - keyStart).toString().toLower();
        QString value;
        if (i < n && rest[i] == u'=') {
            ++i;
            if (i < n && (rest[i] == u'"' || rest[i] == u'\'')) {
                const QChar quote = rest[i];
                const qsizetype close = rest.indexOf(quote, i + 1);
                if (close < 0) {
                    out.broken = true;
                    return out;
                }
                value = rest.mid(i + 1, close - i - 1).toString();
                i = close + 1;
            } else {
                const qsizetype start = i;
                while (i < n && rest[i] != u',' && !rest[i].isSpace())
                    ++i;
                value = rest.mid(start, i - start).toString();
            }
        }
        if (key == u"tvg-name")
            out.tvgName = value;
        else if (key == u"tvg-logo")
            out.logo = value;
        else if (key == u"tvg-country")
            out.country = value;
        else if (key == u"tvg-language")
            out.language = value;
        else if (key == u"group-title")
            out.group = value;
    }
    return out; // no title
}

bool directive(const QString& line, QLatin1StringView name, QString& value) {
    if (!line.startsWith(name, Qt::CaseInsensitive))
        return false;
    value = line.mid(name.size()).trimmed();
    return true;
}

class M3uBuilder {
public:
    explicit M3uBuilder(TPlaylist& list) : list_(list) {}

    void Line(const QString& line) {
        if (line.isEmpty())
            return;
        if (line.startsWith(u'#')) {
            Directive(line);
            return;
        }
        Address(line);
    }

    void End() {
        if (pending_)
            ++list_.Unreadable; // an #EXTINF with no address after it
    }

private:
    void Directive(const QString& line) {
        QString value;
        if (directive(line, QLatin1StringView("#EXTINF:"), value)) {
            if (pending_)
                ++list_.Unreadable;
            Reset();
            info_ = parseExtinf(line.mid(8));
            pending_ = true;
            if (info_.broken) {
                ++list_.Unreadable;
                Reset();
            }
        } else if (directive(line, QLatin1StringView("#EXTGRP:"), value)) {
            group_ = value;
        } else if (directive(line, QLatin1StringView("#HOMEPAGE:"), value)) {
            website_ = value;
        } else if (directive(line, QLatin1StringView("#LANGUAGE:"), value)) {
            language_ = value;
        } else if (directive(line, QLatin1StringView("#COUNTRY:"), value)) {
            country_ = value;
        } else if (directive(line, QLatin1StringView("#DESCRIPTION:"), value)) {
            description_ = value;
        } else if (directive(line, QLatin1StringView("#BITRATE:"), value)) {
            bool number = false;
            if (value.toInt(&number) > 0 && number)
                bitrate_ = value;
        }
        // Everything else (#EXTM3U, #EXTVLCOPT, comments) says nothing about a station.
    }

    void Address(const QString& line) {
        const QString address = CleanAddress(line);
        const TAddressKind kind = ClassifyAddress(address);
        if (kind == TAddressKind::Unreadable) {
            ++list_.Unreadable;
        } else if (kind == TAddressKind::Refused) {
            ++list_.Refused;
        } else {
            TPlaylistEntry entry;
            entry.Url = address;
            QString name = info_.title.trimmed();
            if (name.isEmpty())
                name = info_.tvgName.trimmed();
            if (name.isEmpty())
                name = address;
            entry.Name = SingleLine(name, kMaxTextLength);
            entry.Group = SingleLine(info_.group.isEmpty() ? group_ : info_.group, kMaxTextLength);
            entry.Language =
                SingleLine(info_.language.isEmpty() ? language_ : info_.language, kMaxTextLength);
            entry.Comment = SingleLine(
                ComposeComment(description_, info_.country.isEmpty() ? country_ : info_.country,
                               info_.logo),
                kMaxTextLength);
            entry.Website = SingleLine(website_, kMaxTextLength);
            entry.Bitrate = SingleLine(bitrate_, 32);
            list_.Entries.append(std::move(entry));
        }
        Reset();
    }

    void Reset() {
        info_ = {};
        pending_ = false;
        group_.clear();
        website_.clear();
        language_.clear();
        country_.clear();
        description_.clear();
        bitrate_.clear();
    }

    TPlaylist& list_;
    Extinf info_;
    bool pending_ = false;
    QString group_, website_, language_, country_, description_, bitrate_;
};

} // namespace

TPlaylist ReadM3u(QIODevice& device, const TProgress& progress) {
    TPlaylist list;
    list.Format = QStringLiteral("M3U");
    M3uBuilder builder(list);
    TLineReader lines(device);
    QByteArray line;
    bool overLong = false;
    const qint64 size = device.isSequential() ? 0 : device.size();
    qint64 count = 0;
    while (lines.Next(line, overLong)) {
        if (++count % 4096 == 0 && progress && !progress(lines.Position(), size))
            throw TCancelled();
        if (overLong) {
            ++list.Unreadable;
            continue;
        }
        builder.Line(DecodeLine(line).trimmed());
        if (list.Entries.size() >= kMaxPlaylistEntries) {
            // One more line tells a list that ends here from a longer one.
            while (lines.Next(line, overLong)) {
                if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
                    list.Truncated = true;
                    break;
                }
            }
            return list;
        }
    }
    builder.End();
    return list;
}

QString ComposeComment(const QString& description, const QString& country, const QString& logo) {
    QStringList parts;
    if (!description.trimmed().isEmpty())
        parts << description.trimmed();
    if (!country.trimmed().isEmpty())
        parts << QStringLiteral("Country: ") + country.trimmed();
    if (!logo.trimmed().isEmpty())
        parts << QStringLiteral("Logo: ") + logo.trimmed();
    return parts.join(QStringLiteral("; "));
}

namespace {
QString commentPart(const QString& comment, QLatin1StringView label) {
    const QStringList parts = comment.split(QStringLiteral("; "));
    for (const QString& part : parts)
        if (part.startsWith(label))
            return part.mid(label.size()).trimmed();
    return {};
}
} // namespace

QString CommentCountry(const QString& comment) {
    return commentPart(comment, QLatin1StringView("Country: "));
}

QString CommentLogo(const QString& comment) {
    return commentPart(comment, QLatin1StringView("Logo: "));
}

} // namespace orvik
