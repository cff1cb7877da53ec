#include "skin/data/QuickIni.h"

namespace {

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

bool isHeader(const QString& line) {
    return line.startsWith(u'[') && line.endsWith(u']');
}

} // namespace

namespace orvik {

QString TrimControl(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

std::optional<qint32> ParseInteger(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= n)
        return std::nullopt;

    if (text[i] == u'$') {
        ++i;
        if (i >= n)
            return std::nullopt;
        quint64 value = 0;
        for (; i < n; ++i) {
            const char16_t c = text[i].unicode();
            int digit;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + digit;
            if (value > 0xFFFFFFFFull)
                return std::nullopt;
        }
        auto bits = static_cast<quint32>(value);
        if (negative)
            bits = 0u - bits;
        return static_cast<qint32>(bits);
    }

    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<qint32>(value);
}

} // namespace orvik

void TQuickIni::LoadFromStream(QIODevice* stream) {
    if (!stream)
        return;
    LoadFromText(stream->readAll());
}

void TQuickIni::LoadFromText(const QByteArray& text) {
    lines_.clear();
    sections_.clear();
    keys_.clear();
    sectionIndex_.clear();
    keyIndex_.clear();
    int header = -1; // the header the lines belong to

    const char* p = text.constData();
    const char* const end = p + text.size();
    while (p < end && *p != '\0') {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n' && *p != '\0')
            ++p;
        const QString line =
            orvik::TrimControl(QString::fromLatin1(start, static_cast<qsizetype>(p - start)));
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;

        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        KeyLine entry;
        const int index = static_cast<int>(lines_.size());
        if (isHeader(line)) {
            entry.header = true;
            sections_.append({line, index});
            // Only the first section of a name is ever searched: its keys alone are indexed.
            const QString folded = line.toCaseFolded();
            header = sectionIndex_.contains(folded) ? -1 : index;
            if (header >= 0)
                sectionIndex_.insert(folded, index);
        } else if (const qsizetype eq = line.indexOf(u'='); eq >= 0) {
            entry.hasEquals = true;
            entry.key = asciiLower(orvik::TrimControl(line.left(eq)));
            entry.value = orvik::TrimControl(line.mid(eq + 1));
            if (header >= 0) {
                const QPair<int, QString> where(header, entry.key);
                if (!keyIndex_.contains(where))
                    keyIndex_.insert(where, index);
            }
        }
        lines_.append(line);
        keys_.append(std::move(entry));
    }
}

QStringList TQuickIni::ReadSections() const {
    QStringList names;
    names.reserve(sections_.size());
    for (const auto& section : sections_)
        names.append(orvik::TrimControl(section.first.mid(1, section.first.size() - 2)));
    return names;
}

int TQuickIni::SectionIndex(const QString& name) const {
    const QString header = QLatin1Char('[') + name + QLatin1Char(']');
    return sectionIndex_.value(header.toCaseFolded(), -1);
}

QString TQuickIni::ReadString(const QString& section, const QString& key,
                              const QString& def) const {
    if (lines_.isEmpty())
        return def;
    const int index = SectionIndex(section);
    if (index < 0)
        return def;
    const auto it = keyIndex_.constFind(qMakePair(index, asciiLower(key)));
    if (it == keyIndex_.constEnd())
        return def;
    const QString& value = keys_.at(*it).value;
    return value.isEmpty() ? def : value;
}

qint32 TQuickIni::ReadInteger(const QString& section, const QString& key, qint32 def) const {
    QString text = ReadString(section, key, QString());
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        text = QLatin1Char('$') + text.mid(2);
    return orvik::ParseInteger(text).value_or(def);
}
