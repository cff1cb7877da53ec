#include "tests/common/StreamServer.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

constexpr int kSampleRate = 22050;
constexpr int kBytesPerSecond = kSampleRate * 2; // 16-bit mono
constexpr int kBurstBytes = 8 * kBytesPerSecond; // eight seconds at once, then real time
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
        if (!known) {
            reply("404 Not Found", "text/plain", "not found\n");
            return;
        }
        if (route.kind == StreamServer::Route::File) {
            reply("200 OK", route.contentType, route.body);
            return;
        }
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
        socket_->write("HTTP/1.1 200 OK\r\nContent-Type: audio/x-wav\r\n"
                       "Cache-Control: no-cache\r\nConnection: close\r\n\r\n");
        socket_->write(StreamServer::wavHeader(kSampleRate));
        clock_.start();
        auto* pacer = new QTimer(this);
        connect(pacer, &QTimer::timeout, this, &Connection::feed);
        pacer->start(kPaceMs);
        feed();
    }

    void feed() {
        if (socket_->state() != QAbstractSocket::ConnectedState)
            return;
        if (socket_->bytesToWrite() > kMaxUnsent)
            return;
        const qint64 due = kBurstBytes + clock_.elapsed() * kBytesPerSecond / 1000;
        qint64 bytes = (due - sent_) & ~qint64(1);
        if (bytes <= 0)
            return;
        QByteArray chunk(bytes, Qt::Uninitialized);
        auto* samples = reinterpret_cast<uchar*>(chunk.data());
        for (qint64 i = 0; i < bytes / 2; ++i) {
            const double v =
                0.3 * std::sin(2.0 * std::numbers::pi * 440.0 * double(frame_++) / kSampleRate);
            qToLittleEndian<qint16>(qint16(v * 32767.0), samples + 2 * i);
        }
        sent_ += bytes;
        socket_->write(chunk);
    }

    QTcpSocket* socket_;
    std::shared_ptr<StreamServer::Shared> shared_;
    QByteArray head_;
    bool answered_ = false;
    QElapsedTimer clock_;
    qint64 sent_ = 0;
    qint64 frame_ = 0;
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

void StreamServer::addSilent(const QString& path) {
    QMutexLocker lock(&shared_->mutex);
    shared_->routes.insert(path, Route{Route::Silent, {}, {}});
}

void StreamServer::setNeverAnswer(bool on) {
    QMutexLocker lock(&shared_->mutex);
    shared_->neverAnswer = on;
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
