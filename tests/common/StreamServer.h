#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThread>
#include <QUrl>

#include <memory>

class StreamServerWorker;

// A small HTTP server on 127.0.0.1 (random port) for tests and benchmarks. It runs in a thread
// of its own, so it keeps answering while the test's own thread waits or is busy.
//
// What it serves, by request path:
//  - stream paths: an endless 16-bit mono WAV sine tone, paced at about real time after a
//    short burst, so a player starts at once and the server never floods memory;
//  - file paths: fixed bytes with a content type (playlists, pages);
//  - silent paths: the connection is accepted and the request read, but nothing is ever sent;
//  - anything else: 404.
// setNeverAnswer(true) makes every path silent. Destroying the server closes every
// connection and stops the thread.
class StreamServer {
public:
    StreamServer();
    ~StreamServer();
    StreamServer(const StreamServer&) = delete;
    StreamServer& operator=(const StreamServer&) = delete;

    bool isListening() const { return port_ != 0; }
    quint16 port() const { return port_; }
    // http://127.0.0.1:<port><path>
    QUrl url(const QString& path) const;

    void addStream(const QString& path);
    void addFile(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = "application/octet-stream");
    void addSilent(const QString& path);
    // A stream path that sends body over and over, paced at bytesPerSecond (an encoded file,
    // for instance MP3, whose frames survive being looped).
    void addLoopStream(const QString& path, const QByteArray& body, const QByteArray& contentType,
                       int bytesPerSecond);
    void setNeverAnswer(bool on);
    // The title stream paths send as ICY StreamTitle to clients that ask for metadata
    // (every icyInterval bytes of the body). Empty sends empty metadata blocks.
    void setTitle(const QString& path, const QByteArray& title);
    void setIcyInterval(int bytes);
    // Down: every open stream is cut, and new requests are closed without an answer.
    void setDown(bool on);
    // Stalled: stream paths send nothing until it is taken back.
    void setStalled(bool on);
    // How much of a stream is sent at once before pacing at real time.
    void setBurstMs(int ms);

    // Requests seen for a path so far, and connections currently open.
    int requestCount(const QString& path) const;
    int openConnections() const;

    // The WAV header the stream paths send, announcing an (almost) endless data chunk.
    static QByteArray wavHeader(int sampleRate);

    // Shared with the worker thread; guarded by mutex.
    struct Route {
        enum Kind { Stream, File, Silent } kind = File;
        QByteArray body;
        QByteArray contentType;
        int bytesPerSecond = 0;
    };
    struct Shared {
        mutable QMutex mutex;
        QHash<QString, Route> routes;
        QHash<QString, int> requests;
        bool neverAnswer = false;
        int open = 0;
        QHash<QString, QByteArray> titles;
        int icyInterval = 4096;
        bool down = false;
        bool stalled = false;
        int burstMs = 8000;
        int downEpoch = 0;
    };

private:
    std::shared_ptr<Shared> shared_;
    QThread thread_;
    StreamServerWorker* worker_ = nullptr; // lives in thread_, deleted there
    quint16 port_ = 0;
};
