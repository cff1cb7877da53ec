// The entries of a playlist the player reads itself (.asx documents fetched over HTTP), and
// the next entry once one fails.
#include "app/player/PlayerCore.h"

#include "app/player/AsxFetch.h"
#include "app/player/AsxPlaylist.h"
#include "app/player/FailureReason.h"
#include "app/player/LoadLog.h"

#include <QNetworkAccessManager>

#include <mpv/client.h>

namespace orvik {

void TPlayerCore::fetchPlaylist(const QString& address, bool sniffing) {
    forgetLoad();
    sniffed_ = true;
    entry_ = address;
    if (!network_)
        network_ = std::make_unique<QNetworkAccessManager>();
    fetch_ =
        new TAsxFetch(*network_, asx::FetchableUrl(address), int(networkTimeout_ * 1000), this);
    connect(fetch_, &TAsxFetch::finished, this,
            [this, sniffing](TAsxFetch::Outcome outcome, const QStringList& entries) {
                // The fetch is done; it goes once its signal has returned.
                fetch_->deleteLater();
                fetch_.clear();
                if (outcome == TAsxFetch::Outcome::Playlist) {
                    fromPlaylist_ = true;
                    pending_ = entries;
                    if (!tryNextEntry()) {
                        failure_ = QStringLiteral("The playlist names no stream to play.");
                        setState(State::Stopped);
                    }
                } else if (outcome == TAsxFetch::Outcome::NotPlaylist && !sniffing) {
                    loadEntry(address_); // named .asx but something else: the library may know it
                } else if (sniffing) {
                    // Neither a stream the library knows nor a playlist: say so from what the
                    // library logged, not as a playlist that failed.
                    failure_ = FailureReason(loadLog_->lines(), MPV_ERROR_UNKNOWN_FORMAT);
                    setState(State::Stopped);
                } else {
                    failure_ = QStringLiteral("The playlist could not be fetched.");
                    setState(State::Stopped);
                }
            });
}

bool TPlayerCore::tryNextEntry() {
    if (pending_.isEmpty())
        return false;
    loadEntry(pending_.takeFirst());
    return true;
}

void TPlayerCore::dropFetch() {
    if (!fetch_)
        return;
    fetch_->disconnect(this);
    fetch_->cancel();
    fetch_->deleteLater();
    fetch_.clear();
}

} // namespace orvik
