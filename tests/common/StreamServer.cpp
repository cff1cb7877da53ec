#include "tests/common/StreamServer.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kSampleRate = 22050;
constexpr int kBytesPerSecond = kSampleRate * 2; // 16-bit mono
constexpr int kPaceMs = 20;
constexpr qint64 kMaxUnsent = 256 * 1024; // a client that stops reading is not fed further
constexpr int kMaxRequestHead = 16 * 1024;

// One accepted connection: reads the request head, then answers by route.
class Connection : public QObject {
public:
    Connection(QTcpSocket* socket, std::shared_ptr<StreamServer::Shared> shared, QObject* parent)
        : QObject(parent), socket_(socket), shared_(std::move(shared)) {
        socket_->setParent(this);
        {
            QMutexLocker lock(&shared_->mutex);
            ++shared_->open;
        }
        connect(socket_, &QTcpSocket::readyRead, this, &Connection::onReadyRead);
        connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    }
    ~Connection() override {
        QMutexLocker lock(&shared_->mutex);
        --shared_->open;
    }

private:
    void onReadyRead() {
        if (answered_) {
            socket_->readAll(); // a streaming client may send nothing more that matters
            return;
        }
        head_ += socket_->readAll();
        if (head_.size() > kMaxRequestHead) {
            reply("431 Request Header Fields Too Large", "text/plain", "too large\n");
            return;
        }
        if (!head_.contains("\r\n\r\n"))
            return;
        answered_ = true;
        const QList<QByteArray> requestLine = head_.left(head_.indexOf("\r\n")).split(' ');
        const QString path =
            requestLine.size() >= 2 ? QString::fromUtf8(requestLine[1]) : QString();

        StreamServer::Route route;
        bool known = false;
        bool silent = false;
        {
            QMutexLocker lock(&shared_->mutex);
            shared_->requests[path] += 1;
            auto it = shared_->routes.constFind(path);
            known = it != shared_->routes.constEnd();
            if (known)
                route = *it;
            silent = shared_->neverAnswer || (known && route.kind == StreamServer::Route::Silent);
        }
        if (silent)
            return; // keep the connection open and say nothing, ever
        bool down = false;
        {
            QMutexLocker lock(&shared_->mutex);
            down = shared_->down;
        }
        if (down) {
            socket_->abort();
            return;
        }
        if (!known) {
            reply("404 Not Found", "text/plain", "not found\n");
            return;
        }
        if (route.kind == StreamServer::Route::File) {
            reply("200 OK", route.contentType, route.body);
            return;
        }
        path_ = path;
        loop_ = route.body;
        if (!loop_.isEmpty()) {
            contentType_ = route.contentType;
            rate_ = std::max(1, route.bytesPerSecond);
        }
        icy_ = head_.toLower().contains("\r\nicy-metadata: 1");
        startStream();
    }

    void reply(const QByteArray& status, const QByteArray& type, const QByteArray& body) {
        answered_ = true;
        QByteArray out = "HTTP/1.1 " + status + "\r\nContent-Type: " + type +
                         "\r\nContent-Length: " + QByteArray::number(body.size()) +
                         "\r\nConnection: close\r\n\r\n" + body;
        socket_->write(out);
        socket_->disconnectFromHost(); // closes once everything is written
    }

    void startStream() {
        QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType_ +
                          "\r\nCache-Control: no-cache\r\nConnection: close\r\n";
        {
            QMutexLocker lock(&shared_->mutex);
            interval_ = shared_->icyInterval;
            burstBytes_ = qint64(shared_->burstMs) * rate_ / 1000;
            epoch_ = shared_->downEpoch;
        }
        if (icy_)
            head += "icy-name: Loopback\r\nicy-metaint: " + QByteArray::number(interval_) + "\r\n";
        socket_->write(head + "\r\n");
        if (loop_.isEmpty())
            writeBody(StreamServer::wavHeader(kSampleRate));
        clock_.start();
        auto* pacer = new QTimer(this);
        connect(pacer, &QTimer::timeout, this, &Connection::feed);
        pacer->start(kPaceMs);
        feed();
    }

    // Body bytes, with an ICY metadata block after every interval_ of them when asked for.
    void writeBody(const QByteArray& bytes) {
        if (!icy_) {
            socket_->write(bytes);
            return;
        }
        qsizetype at = 0;
        while (at < bytes.size()) {
            const qsizetype n = std::min<qsizetype>(bytes.size() - at, interval_ - untilMeta_);
            socket_->write(bytes.constData() + at, n);
            at += n;
            untilMeta_ += int(n);
            if (untilMeta_ == interval_) {
                untilMeta_ = 0;
                socket_->write(metadataBlock());
            }
        }
    }

    QByteArray metadataBlock() {
        QByteArray title;
        {
            QMutexLocker lock(&shared_->mutex);
            title = shared_->titles.value(path_);
        }
        if (title.isEmpty())
            return QByteArray(1, '\0');
        QByteArray text = "StreamTitle='" + title.left(16 * 255 - 16) + "';";
        const int blocks = int((text.size() + 15) / 16);
        text.append(QByteArray(blocks * 16 - text.size(), '\0'));
        return char(blocks) + text;
    }

    void feed() {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            return;
        {
            QMutexLocker lock(&shared_->mutex);
            if (shared_->downEpoch != epoch_) {
                socket_->abort();
                return;
            }
            if (shared_->stalled)
                return; // what is due meanwhile goes out at once when the stall ends
        }
        if (socket_->bytesToWrite() > kMaxUnsent)
            return;
        const qint64 due = burstBytes_ + clock_.elapsed() * rate_ / 1000;
        qint64 bytes = (due - sent_) & ~qint64(1);
        if (bytes <= 0)
            return;
        if (!loop_.isEmpty()) {
            QByteArray chunk;
            chunk.reserve(bytes);
            while (chunk.size() < bytes) {
                const qsizetype at = qsizetype(sent_ % loop_.size());
                const qsizetype n = std::min<qsizetype>(bytes - chunk.size(), loop_.size() - at);
                chunk.append(loop_.constData() + at, n);
                sent_ += n;
            }
            writeBody(chunk);
            return;
        }
        QByteArray chunk(bytes, Qt::Uninitialized);
        auto* samples = reinterpret_cast<uchar*>(chunk.data());
        for (qint64 i = 0; i < bytes / 2; ++i) {
            const double v =
                0.3 * std::sin(2.0 * std::numbers::pi * 440.0 * double(frame_++) / kSampleRate);
            qToLittleEndian<qint16>(qint16(v * 32767.0), samples + 2 * i);
        }
        sent_ += bytes;
        writeBody(chunk);
    }

    QTcpSocket* socket_;
    std::shared_ptr<StreamServer::Shared> shared_;
    QByteArray head_;
    bool answered_ = false;
    QElapsedTimer clock_;
    qint64 sent_ = 0;
    qint64 frame_ = 0;
    QString path_;
    QByteArray loop_;
    QByteArray contentType_ = "audio/x-wav";
    int rate_ = kBytesPerSecond;
    bool icy_ = false;
    int interval_ = 4096;
    int untilMeta_ = 0;
    qint64 burstBytes_ = 0;
    int epoch_ = 0;
};

} // namespace

class StreamServerWorker : public QTcpServer {
public:
    explicit StreamServerWorker(std::shared_ptr<StreamServer::Shared> shared)
        : shared_(std::move(shared)) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection())
                new Connection(s, shared_, this);
        });
    }

private:
    std::shared_ptr<StreamServer::Shared> shared_;
};

StreamServer::StreamServer() : shared_(std::make_shared<Shared>()) {
    thread_.setObjectName(QStringLiteral("StreamServer"));
    thread_.start();
    // Built and bound inside the server thread, so its sockets belong there.
    auto* worker = new StreamServerWorker(shared_);
    worker->moveToThread(&thread_);
    quint16 port = 0;
    QMetaObject::invokeMethod(
        worker,
        [worker, &port] {
            if (worker->listen(QHostAddress::LocalHost, 0))
                port = worker->serverPort();
        },
        Qt::BlockingQueuedConnection);
    worker_ = worker;
    port_ = port;
}

StreamServer::~StreamServer() {
    // Close the listener and every connection in their own thread, then stop it.
    QMetaObject::invokeMethod(
        worker_, [w = worker_] { w->close(); }, Qt::BlockingQueuedConnection);
    // Deferred deletes run as the thread finishes; the connections are the worker's children.
    worker_->deleteLater();
    thread_.quit();
    thread_.wait();
}

QUrl StreamServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

void StreamServer::addStream(const QString& path) {
    QMutexLocker lock(&shared_->mutex);
    shared_->routes.insert(path, Route{Route::Stream, {}, {}});
}

void StreamServer::addFile(const QString& path, const QByteArray& body,
                           const QByteArray& contentType) {
    QMutexLocker lock(&shared_->mutex);
    shared_->routes.insert(path, Route{Route::File, body, contentType});
}

void StreamServer::addLoopStream(const QString& path, const QByteArray& body,
                                 const QByteArray& contentType, int bytesPerSecond) {
    QMutexLocker lock(&shared_->mutex);
    shared_->routes.insert(path, Route{Route::Stream, body, contentType, bytesPerSecond});
}

void StreamServer::addSilent(const QString& path) {
    QMutexLocker lock(&shared_->mutex);
    shared_->routes.insert(path, Route{Route::Silent, {}, {}});
}

void StreamServer::setNeverAnswer(bool on) {
    QMutexLocker lock(&shared_->mutex);
    shared_->neverAnswer = on;
}

void StreamServer::setTitle(const QString& path, const QByteArray& title) {
    QMutexLocker lock(&shared_->mutex);
    shared_->titles.insert(path, title);
}

void StreamServer::setIcyInterval(int bytes) {
    QMutexLocker lock(&shared_->mutex);
    shared_->icyInterval = std::clamp(bytes, 16, 1 << 20);
}

void StreamServer::setDown(bool on) {
    QMutexLocker lock(&shared_->mutex);
    shared_->down = on;
    if (on)
        ++shared_->downEpoch; // the pacers of open streams cut them
}

void StreamServer::setStalled(bool on) {
    QMutexLocker lock(&shared_->mutex);
    shared_->stalled = on;
}

void StreamServer::setBurstMs(int ms) {
    QMutexLocker lock(&shared_->mutex);
    shared_->burstMs = std::max(0, ms);
}

int StreamServer::requestCount(const QString& path) const {
    QMutexLocker lock(&shared_->mutex);
    return shared_->requests.value(path);
}

int StreamServer::openConnections() const {
    QMutexLocker lock(&shared_->mutex);
    return shared_->open;
}

QByteArray StreamServer::wavHeader(int sampleRate) {
    // RIFF sizes near 2 GiB: players take it as a very long file and read until the end.
    const quint32 dataSize = 0x7FFFF000u;
    QByteArray h(44, '\0');
    auto* p = reinterpret_cast<uchar*>(h.data());
    memcpy(p, "RIFF", 4);
    qToLittleEndian<quint32>(dataSize + 36, p + 4);
    memcpy(p + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, p + 16);
    qToLittleEndian<quint16>(1, p + 20); // PCM
    qToLittleEndian<quint16>(1, p + 22); // mono
    qToLittleEndian<quint32>(quint32(sampleRate), p + 24);
    qToLittleEndian<quint32>(quint32(sampleRate * 2), p + 28);
    qToLittleEndian<quint16>(2, p + 32);
    qToLittleEndian<quint16>(16, p + 34);
    memcpy(p + 36, "data", 4);
    qToLittleEndian<quint32>(dataSize, p + 40);
    return h;
}
