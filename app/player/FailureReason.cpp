#include "app/player/FailureReason.h"

#include <mpv/client.h>

#include <algorithm>
#include <iterator>

namespace orvik {

namespace {

struct Cause {
    const char* needles[4];
    const char* text;
};

// Checked in this order: the name of the server comes before what a connection gave, so that
// "not found" of a name lookup is not read as a missing page.
const Cause kCauses[] = {
    {{"resolve hostname", "name or service not known", "temporary failure in name resolution",
      "no address associated"},
     "The server's name could not be found."},
    {{"connection refused", nullptr, nullptr, nullptr},
     "The server refused the connection: nothing answers at this address."},
    {{"timed out", nullptr, nullptr, nullptr}, "The server did not answer in time."},
    // The status codes with the words that come before them: a bare "404" may be part of an
    // address logged with the line (a port, a path).
    {{"error 404", "returned 404", "not found", nullptr},
     "The server has no stream at this address."},
    {{"error 403", "returned 403", "forbidden", "unauthorized"},
     "The server does not allow this stream."},
    {{"network is unreachable", "no route to host", "host is unreachable", nullptr},
     "The server cannot be reached from this computer."},
    {{"http error 5", "server returned 5", nullptr, nullptr},
     "The server had an error and sent no stream."},
    {{"failed to recognize file format", "unrecognized file format", "no audio or video", nullptr},
     "The address does not lead to a media stream."},
};

// The first cause the lowered text names, or none.
const char* CauseIn(const QString& lowered) {
    for (const Cause& cause : kCauses) {
        for (const char* needle : cause.needles) {
            if (needle && lowered.contains(QLatin1String(needle)))
                return cause.text;
        }
    }
    return nullptr;
}

} // namespace

QString FailureReason(const QStringList& log, int mpvError, bool waitedOut) {
    if (const char* cause = CauseIn(log.join(QLatin1Char('\n')).toLower()))
        return QString::fromLatin1(cause);
    if (mpvError == MPV_ERROR_UNKNOWN_FORMAT || mpvError == MPV_ERROR_NOTHING_TO_PLAY)
        return QStringLiteral("The address does not lead to a media stream.");
    if (waitedOut)
        return QStringLiteral("The server did not answer in time.");
    return QStringLiteral("The stream could not be opened.");
}

bool NamesCause(const QString& line) {
    return CauseIn(line.toLower()) != nullptr;
}

bool TellsWhyLoadFailed(const QString& prefix, const QString& text) {
    static const QLatin1String kLayers[] = {QLatin1String("ffmpeg"), QLatin1String("stream"),
                                            QLatin1String("demux"), QLatin1String("cplayer")};
    // "ffmpeg/demuxer", "demux/lavf" and the like belong to their layer.
    const QString layer = prefix.section(QLatin1Char('/'), 0, 0);
    if (std::none_of(std::begin(kLayers), std::end(kLayers),
                     [&](QLatin1String name) { return layer == name; }))
        return false;
    return !text.startsWith(QLatin1String("Set property")) &&
           !text.startsWith(QLatin1String("Setting option"));
}

} // namespace orvik
