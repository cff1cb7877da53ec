#include "app/player/AsxFetch.h"

#include "app/player/AsxPlaylist.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace orvik {

TAsxFetch::TAsxFetch(QNetworkAccessManager& network, const QUrl& url, int timeoutMs,
                     QObject* parent)
    : QObject(parent), url_(url) {
    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    reply_ = network.get(request);
    reply_->setParent(this);
    connect(reply_, &QNetworkReply::readyRead, this, &TAsxFetch::onReadyRead);
    connect(reply_, &QNetworkReply::finished, this, &TAsxFetch::onFinished);
}

TAsxFetch::~TAsxFetch() {
    cancel();
}

void TAsxFetch::cancel() {
    done_ = true; // aborting emits the reply's finished(); nobody is told any more
    if (reply_)
        reply_->abort();
}

void TAsxFetch::onReadyRead() {
    if (done_ || !reply_)
        return;
    const qint64 room = asx::kMaxDocumentBytes - data_.size();
    if (reply_->bytesAvailable() > room) {
        fail(); // larger than any playlist has reason to be
        return;
    }
    data_ += reply_->readAll();
}

void TAsxFetch::onFinished() {
    if (done_ || !reply_)
        return;
    if (reply_->error() != QNetworkReply::NoError) {
        fail();
        return;
    }
    onReadyRead();
    if (done_)
        return;
    done_ = true;
    if (!asx::LooksLikeAsx(data_)) {
        emit finished(Outcome::NotPlaylist, {});
        return;
    }
    emit finished(Outcome::Playlist, asx::ParseRefs(data_, reply_->url()));
}

void TAsxFetch::fail() {
    done_ = true;
    if (reply_)
        reply_->abort();
    data_.clear();
    emit finished(Outcome::Failed, {});
}

} // namespace orvik
