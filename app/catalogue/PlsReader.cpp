// The PLS reader: an INI-like [playlist] section of FileN, TitleN and LengthN keys.
#include "app/catalogue/PlaylistReader.h"

#include "app/catalogue/PlaylistText.h"
#include "app/catalogue/StreamAddress.h"
#include "core/ErrorWrapper.h"

#include <QIODevice>

#include <map>

namespace orvik {

namespace {

struct PlsEntry {
    QString file, title;
};

// "File12" gives ("file", 12); false for keys without a number or with one out of range.
bool numberedKey(const QString& key, QString& name, qint64& number) {
    qsizetype digits = key.size();
    while (digits > 0 && key[digits - 1].isDigit())
        --digits;
    if (digits == key.size() || digits == 0 || key.size() - digits > 12)
        return false;
    bool ok = false;
    number = key.mid(digits).toLongLong(&ok);
    name = key.left(digits).toLower();
    return ok;
}

} // namespace

TPlaylist ReadPls(QIODevice& device, const TProgress& progress) {
    TPlaylist list;
    list.Format = QStringLiteral("PLS");
    // Entries by number: the file may give them in any order and skip numbers. The count the
    // file claims (NumberOfEntries) is not trusted for anything.
    std::map<qint64, PlsEntry> entries;
    TLineReader lines(device);
    QByteArray bytes;
    bool overLong = false;
    bool sawSection = false;
    const qint64 size = device.isSequential() ? 0 : device.size();
    qint64 count = 0;
    while (lines.Next(bytes, overLong)) {
        if (++count % 4096 == 0 && progress && !progress(lines.Position(), size))
            throw TCancelled();
        if (overLong) {
            ++list.Unreadable;
            continue;
        }
        const QString line = DecodeLine(bytes).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            sawSection = sawSection || line.compare(u"[playlist]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        QString name;
        qint64 number = 0;
        if (eq <= 0) {
            ++list.Unreadable;
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (!numberedKey(key, name, number)) {
            const QString lower = key.toLower();
            if (lower != u"numberofentries" && lower != u"version")
                ++list.Unreadable;
            continue;
        }
        if (name != u"file" && name != u"title" && name != u"length")
            continue;
        auto it = entries.find(number);
        if (it == entries.end()) {
            if (qint64(entries.size()) >= kMaxPlaylistEntries) {
                list.Truncated = true;
                break;
            }
            it = entries.emplace(number, PlsEntry{}).first;
        }
        if (name == u"file")
            it->second.file = value;
        else if (name == u"title")
            it->second.title = value;
    }
    if (!sawSection && entries.empty())
        throw Error(
            QStringLiteral("The file is not a PLS playlist: it has no [playlist] section."));

    for (auto& [number, e] : entries) {
        if (e.file.isEmpty()) {
            ++list.Unreadable; // a title or length without its file
            continue;
        }
        const QString address = CleanAddress(e.file);
        const TAddressKind kind = ClassifyAddress(address);
        if (kind != TAddressKind::Stream) {
            ++(kind == TAddressKind::Refused ? list.Refused : list.Unreadable);
            continue;
        }
        TPlaylistEntry entry;
        entry.Url = address;
        entry.Name = SingleLine(e.title.isEmpty() ? address : e.title, kMaxTextLength);
        list.Entries.append(std::move(entry));
    }
    return list;
}

} // namespace orvik
