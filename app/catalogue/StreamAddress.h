#pragma once

#include <QString>

namespace orvik {

// The address of a station read from a file, cleaned up: surrounding white space removed, a
// space inside written as %20. Empty when it is empty or too long to be an address.
QString CleanAddress(const QString& address);

// True when an imported station may have this address: a stream scheme the players take
// (http, https, mms, mmsh, rtsp, rtmp, udp, rtp) followed by something. Local files,
// javascript:, data: and addresses without a scheme are refused.
bool IsStreamAddress(const QString& address);

// What an address line of a playlist names: a stream Orvik takes, something it refuses (another
// scheme, a local path), or nothing readable at all.
enum class TAddressKind { Stream, Refused, Unreadable };
TAddressKind ClassifyAddress(const QString& address);

// A text for one line of a playlist or a catalogue column: control characters (line breaks
// among them) become spaces, white space at both ends goes, and it is cut to maxLength.
QString SingleLine(const QString& text, qsizetype maxLength);

} // namespace orvik
