#include "app/forms/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "orvik.instance", QtWarningMsg)

namespace {

const QByteArray ShowRequest = "show\n";
const QByteArray ShownAnswer = "shown\n";
// A request is one short line; anything longer is no request of ours.
constexpr qint64 MaxRequest = 64;
constexpr int SlowClientMs = 2000;

// The lock and the socket of a catalogue: the same catalogue always gives the same name.
QString basePath(const QString& catalogue) {
    const QString canonical = QDir::cleanPath(QFileInfo(catalogue).absoluteFilePath());
    const QByteArray digest =
        QCryptographicHash::hash(QFile::encodeName(canonical), QCryptographicHash::Sha256);
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QStringLiteral("/orvik-") + QString::fromLatin1(digest.toHex().left(16));
}

int openLock(const QString& path) {
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

} // namespace

TSingleInstance::TSingleInstance(const QString& catalogue, QObject* parent)
    : QObject(parent), lockPath_(basePath(catalogue) + QStringLiteral(".lock")),
      serverName_(basePath(catalogue) + QStringLiteral(".socket")) {}

TSingleInstance::~TSingleInstance() {
    if (server_)
        server_->close(); // removes the socket file
    if (fd_ >= 0)
        ::close(fd_); // lets the lock go; the file stays for the next start
}

bool TSingleInstance::Acquire() {
    if (fd_ >= 0)
        return true;
    // Close-on-exec: helper processes (the web engine's) must not inherit the lock and keep it
    // after the program has gone.
    const int fd = openLock(lockPath_);
    if (fd < 0) {
        qCWarning(lcInstance, "cannot make the lock file %s; starting without it",
                  qPrintable(lockPath_));
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (held)
            return false;
        qCWarning(lcInstance, "cannot lock %s; starting without it", qPrintable(lockPath_));
        return true;
    }
    fd_ = fd;

    // A socket file left by a program that died answers no one; while we hold the lock it is
    // ours to replace.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection())
            answer(socket);
    });
    if (!server_->listen(serverName_))
        qCWarning(lcInstance, "cannot listen on %s: %s", qPrintable(serverName_),
                  qPrintable(server_->errorString()));
    return true;
}

void TSingleInstance::answer(QLocalSocket* socket) {
    socket->setParent(this);
    socket->setReadBufferSize(MaxRequest);
    auto done = [socket] {
        socket->disconnectFromServer();
        socket->deleteLater();
    };
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, done] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() >= MaxRequest)
                done();
            return;
        }
        const QByteArray line = socket->readLine(MaxRequest);
        if (line == ShowRequest) {
            emit ShowRequested();
            socket->write(ShownAnswer);
            socket->flush();
        }
        done();
    });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A client that connects and says nothing is not kept waiting for.
    QTimer::singleShot(SlowClientMs, socket, done);
}

bool TSingleInstance::ShowRunning(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    // The program that holds the lock may still be starting: it listens right after taking the
    // lock, so connecting is retried for a moment.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(int(qMax<qint64>(1, deadline.remainingTime())))) {
            socket.write(ShowRequest);
            if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
                return false;
            QByteArray reply;
            while (!reply.contains('\n') && reply.size() < MaxRequest &&
                   socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                reply += socket.read(MaxRequest);
            return reply == ShownAnswer;
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

bool TSingleInstance::Running(const QString& catalogue) {
    const int fd = openLock(basePath(catalogue) + QStringLiteral(".lock"));
    if (fd < 0)
        return false;
    // flock belongs to the open file: this fresh one conflicts with every holder, this
    // process too.
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}
