// Fuzzes the skin definition reader: any bytes are read as a definition, then every section
// and key is looked up and read as text, integer and colour.
//  - kept lines are trimmed, never empty, never comments, never hold a line break or NUL;
//  - every section header is a kept line at the index recorded for it;
//  - a lookup gives the default or a trimmed, non-empty value;
//  - integers agree with a plain decimal conversion for plain decimal text;
//  - colours never set the high byte.

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool isTrimmed(const QString& s) {
    return !s.isEmpty() && s.front().unicode() > 32 && s.back().unicode() > 32;
}

bool plainDecimal(const QString& s) {
    qsizetype i = (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) ? 1 : 0;
    if (i >= s.size())
        return false;
    for (; i < s.size(); ++i)
        if (s[i] < u'0' || s[i] > u'9')
            return false;
    return true;
}

void checkInteger(const QString& text) {
    const std::optional<qint32> value = orvik::ParseInteger(text);
    if (value)
        check(orvik::ParseInteger(QString::number(*value)) == value);
    if (!plainDecimal(text) || text.size() > 18)
        return;
    const long long reference = std::strtoll(text.toLatin1().constData(), nullptr, 10);
    const bool fits = reference >= INT32_MIN && reference <= INT32_MAX;
    check(value.has_value() == fits);
    if (fits)
        check(*value == reference);
}

QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : orvik::TrimControl(line.left(eq));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    TQuickIni ini;
    ini.LoadFromText(text);

    for (const QString& line : ini.Lines()) {
        check(isTrimmed(line));
        check(!line.startsWith(u';'));
        check(!line.contains(u'\r') && !line.contains(u'\n') && !line.contains(QChar(0)));
    }
    for (const auto& [header, index] : ini.Sections()) {
        check(index >= 0 && index < ini.Lines().size());
        check(ini.Lines()[index] == header);
        check(header.startsWith(u'[') && header.endsWith(u']'));
    }

    const QStringList names = ini.ReadSections();
    check(names.size() == ini.Sections().size());
    const QString def = QStringLiteral("\1-default");
    int lookups = 0;
    for (const QString& name : names) {
        const int index = ini.SectionIndex(name);
        check(index == -1 || ini.Lines()[index].compare(QLatin1Char('[') + name + QLatin1Char(']'),
                                                        Qt::CaseInsensitive) == 0);
        if (index < 0)
            continue;
        for (qsizetype i = index + 1; i < ini.Lines().size() && lookups < 2000; ++i, ++lookups) {
            const QString& line = ini.Lines()[i];
            if (line.startsWith(u'[') && line.endsWith(u']'))
                break;
            const QString key = keyOf(line);
            const QString value = ini.ReadString(name, key, def);
            check(value == def || isTrimmed(value));
            checkInteger(value);
            const qint32 number = ini.ReadInteger(name, key, -12345);
            (void)number;
            check((TSkinData::ParseColour(value) >> 24) == 0);
            TColor target = 0xFF000000u;
            TSkinData::ReadRGB(ini, name, key, target);
            check(target == 0xFF000000u || (target >> 24) == 0);
        }
    }
    return 0;
}
