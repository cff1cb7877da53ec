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

} // namespace orvik
