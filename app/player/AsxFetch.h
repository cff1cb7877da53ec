#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace orvik {

// Fetches one document that may be an .asx playlist, reading at most asx::kMaxDocumentBytes
// and giving up after a timeout. Reports once through finished(); never blocks.
class TAsxFetch : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Playlist,    // an ASX document; entries holds its usable entries (may be empty)
        NotPlaylist, // fetched, but not ASX
        Failed       // network error, timeout or a document over the size limit
    };
    Q_ENUM(Outcome)

    TAsxFetch(QNetworkAccessManager& network, const QUrl& url, int timeoutMs,
              QObject* parent = nullptr);
    ~TAsxFetch() override;

    const QUrl& url() const { return url_; }
    // Stops the transfer; finished() is not emitted any more.
    void cancel();

signals:
    void finished(orvik::TAsxFetch::Outcome outcome, const QStringList& entries);

private:
    void onReadyRead();
    void onFinished();
    void fail();

    QUrl url_;
    QPointer<QNetworkReply> reply_;
    QByteArray data_;
    bool done_ = false;
};

} // namespace orvik
