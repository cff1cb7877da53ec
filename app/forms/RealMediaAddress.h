#pragma once

#include <QString>

namespace orvik {

// The address of a web-page station: its stream address is exactly this (case matters).
inline const QString kWebPageMarker = QStringLiteral("../web.htm");

// The part of an address the RealMedia markers are looked for in: after the scheme and host,
// before any query or fragment. An address without "scheme://" is a path as a whole.
QString addressPath(const QString& address);

// True when the address's path, letters a-z in capitals, contains one of the RealMedia
// markers ".RM", ".RT", ".RA", ".RMVB", ".RP", ".RV". Host names do not count: ordinary
// streams such as icecast.radiofrance.fr are no RealMedia.
bool IsRealMedia(const QString& address);

} // namespace orvik
