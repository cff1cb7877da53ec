#include "app/catalogue/CatalogueDate.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QVariant>

namespace orvik {
namespace {

bool isFieldLetter(QChar c) {
    return c == u'd' || c == u'M' || c == u'y';
}

QString formatDate(int year, int month, int day, const QString& separator) {
    QString out;
    out.reserve(8 + 2 * separator.size());
    out += QChar(u'0' + month / 10);
    out += QChar(u'0' + month % 10);
    out += separator;
    out += QChar(u'0' + day / 10);
    out += QChar(u'0' + day % 10);
    out += separator;
    out += QString::number(year).rightJustified(4, u'0');
    return out;
}

// "yyyy-MM-dd" at the start of text, followed by nothing, a space or a "T". Most catalogue
// dates take this path; it avoids QDateTime's general parser, which is slow for whole loads.
bool parseIsoDate(const QString& text, int& year, int& month, int& day) {
    if (text.size() < 10 || (text.size() > 10 && text[10] != u' ' && text[10] != u'T'))
        return false;
    if (text[4] != u'-' || text[7] != u'-')
        return false;
    auto digits = [&](int from, int count, int& value) {
        value = 0;
        for (int i = from; i < from + count; ++i) {
            const QChar c = text[i];
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c.unicode() - u'0');
        }
        return true;
    };
    return digits(0, 4, year) && digits(5, 2, month) && digits(8, 2, day) &&
           QDate::isValid(year, month, day) && year >= 1;
}

} // namespace

QString DateSeparatorOf(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    // Skip the first date field, then collect everything up to the next one.
    qsizetype i = 0;
    bool quoted = false;
    while (i < format.size() && !isFieldLetter(format[i]))
        ++i;
    while (i < format.size() && isFieldLetter(format[i]))
        ++i;
    QString separator;
    for (; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && isFieldLetter(c))
            break;
        if (!c.isSpace())
            separator += c;
    }
    return separator.isEmpty() ? QStringLiteral("/") : separator;
}

QString SystemDateSeparator() {
    return DateSeparatorOf(QLocale::system());
}

int CatalogueDay(const QVariant& value) {
    int year = 0, month = 0, day = 0;
    QDate date;
    switch (value.typeId()) {
    case QMetaType::QDate:
        date = value.toDate();
        break;
    case QMetaType::QDateTime:
        date = value.toDateTime().date();
        break;
    case QMetaType::QString: {
        const QString text = value.toString();
        if (parseIsoDate(text, year, month, day))
            return year * 10000 + month * 100 + day;
        date = QDateTime::fromString(text.trimmed(), Qt::ISODate).date();
        break;
    }
    default:
        break;
    }
    if (date.isValid() && date.year() >= 1 && date.year() <= 9999)
        return date.year() * 10000 + date.month() * 100 + date.day();
    return DayZero;
}

QString FormatCatalogueDay(int yyyymmdd, const QString& separator) {
    return formatDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100, separator);
}

QString FormatCatalogueDate(const QVariant& value, const QString& separator) {
    return FormatCatalogueDay(CatalogueDay(value), separator);
}

} // namespace orvik
