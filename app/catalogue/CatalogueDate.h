#pragma once

#include <QString>

class QLocale;
class QVariant;

namespace orvik {

// The date separator of a locale: the first separator of its short date format, e.g. "/" for
// "M/d/yy", "." for "dd.MM.yy", "-" for "yyyy-MM-dd". Spaces and quoted literals around the
// separator are dropped ("d. M. yyyy" gives "."); a format without one gives "/".
QString DateSeparatorOf(const QLocale& locale);

// DateSeparatorOf(QLocale::system()).
QString SystemDateSeparator();

// A catalogue date as the station record shows it: "MM/dd/yyyy" with "/" replaced by separator.
// The catalogue keeps dates as text "yyyy-MM-dd HH:mm:ss" (a "T" before the time and no time at
// all are accepted too). NULL, an empty text or anything that is not a valid date reads as day
// zero of the date system, 12/30/1899.
QString FormatCatalogueDate(const QVariant& value, const QString& separator);

// The two halves of FormatCatalogueDate, for readers that share one text per day: the day of a
// catalogue value as yyyymmdd (18991230 for day zero), and that day as the record shows it.
int CatalogueDay(const QVariant& value);
QString FormatCatalogueDay(int yyyymmdd, const QString& separator);

constexpr int DayZero = 18991230;

} // namespace orvik
