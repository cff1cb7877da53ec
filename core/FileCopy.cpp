#include "core/FileCopy.h"

#include "core/ErrorWrapper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace orvik {

namespace {

constexpr qint64 Chunk = 256 * 1024;
constexpr qint64 LeftoverAgeSeconds = 10 * 60;

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString partPrefix(const QFileInfo& target) {
    return target.fileName() + QStringLiteral(".copy-");
}

// A copy cut short on a file system without unnamed files leaves its temporary file; a recent
// one may belong to a copy still running in another process, so only old ones go.
void removeLeftovers(const QFileInfo& target) {
    const QDateTime before = QDateTime::currentDateTime().addSecs(-LeftoverAgeSeconds);
    const QFileInfoList parts = target.absoluteDir().entryInfoList(
        {partPrefix(target) + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& part : parts)
        if (part.lastModified() < before)
            QFile::remove(part.absoluteFilePath());
}

// The copy under way: an unnamed file in the target folder where the system has them (a copy
// that dies leaves nothing), else a file with a random name beside the target.
class PartFile {
public:
    PartFile(const QString& folder, const QFileInfo& target) {
        const QByteArray dir = QFile::encodeName(folder);
        fd_ = ::open(dir.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            name_ =
                QFile::encodeName(folder + u'/' + partPrefix(target) +
                                  QString::number(QRandomGenerator::global()->generate64(), 36));
            fd_ = ::open(name_.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        }
        if (fd_ < 0)
            throw Error(QStringLiteral("Cannot write in the folder %1: %2.")
                            .arg(native(folder), systemError()));
    }
    ~PartFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool write(const QByteArray& bytes) {
        qint64 done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += n;
        }
        return true;
    }
    bool sync() { return ::fsync(fd_) == 0; }

    // Gives the finished file the target's name unless that name is taken, never replacing a
    // file: a hard link fails on an existing name, and so does renameat2 with RENAME_NOREPLACE.
    // False when the name was taken.
    bool publish(const QString& target) {
        const QByteArray to = QFile::encodeName(target);
        int rc;
        if (name_.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
            rc = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW);
        } else {
            rc = ::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, to.constData(),
                             RENAME_NOREPLACE);
            if (rc != 0 && (errno == EINVAL || errno == ENOSYS))
                rc = ::link(name_.constData(), to.constData());
            else if (rc == 0)
                name_.clear();
        }
        if (rc == 0)
            return true;
        if (errno == EEXIST)
            return false;
        throw Error(QStringLiteral("Cannot create %1: %2.").arg(native(target), systemError()));
    }

private:
    int fd_ = -1;
    QByteArray name_; // empty for an unnamed file, or once it has the target's name
};

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool copyFileWithoutReplacing(const QString& from, const QString& to,
                              const std::function<void(qint64)>& onChunk) {
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink())
        return false;
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Cannot create the folder %1.").arg(native(folder)));
    removeLeftovers(target);

    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot read %1: %2").arg(native(from), in.errorString()));
    PartFile out(folder, target);
    const qint64 size = in.size();
    qint64 copied = 0;
    while (true) {
        const QByteArray buffer = in.read(Chunk);
        if (buffer.isEmpty())
            break;
        if (!out.write(buffer))
            throw Error(QStringLiteral("Cannot write %1: %2.").arg(native(to), systemError()));
        copied += buffer.size();
        if (onChunk)
            onChunk(copied);
    }
    if (in.error() != QFileDevice::NoError || copied != size)
        throw Error(QStringLiteral("Cannot read %1: %2").arg(native(from), in.errorString()));
    if (!out.sync())
        throw Error(QStringLiteral("Cannot write %1: %2.").arg(native(to), systemError()));
    const bool made = out.publish(to);
    if (made)
        syncFolder(folder);
    return made;
}

} // namespace orvik
