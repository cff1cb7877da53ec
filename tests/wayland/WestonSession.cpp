#include "tests/wayland/WestonSession.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>

namespace {

const char* const Config = "[core]\n"
                           "idle-time=0\n"
                           "[shell]\n"
                           "background-image=/nonexistent\n"
                           "background-color=0xff336699\n"
                           "panel-position=none\n"
                           "locking=false\n"
                           "animation=none\n"
                           "close-animation=none\n"
                           "startup-animation=none\n"
                           "focus-animation=none\n";

} // namespace

WestonSession::WestonSession(Backend backend, const QString& xDisplay) {
    if (!runtime_.isValid() || !shots_.isValid() ||
        !QFile::setPermissions(runtime_.path(),
                               QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        error_ = QStringLiteral("no runtime folder");
        return;
    }
    const QString config = runtime_.filePath(QStringLiteral("weston.ini"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) || file.write(Config) < 0) {
        error_ = QStringLiteral("cannot write weston.ini");
        return;
    }
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    if (backend == Backend::X11)
        env.insert(QStringLiteral("DISPLAY"), xDisplay);
    // --debug lets clients take screenshots; the pixman renderer is the one that draws without
    // a GPU (the headless back end draws nothing otherwise).
    const QStringList args{
        QStringLiteral("--config=") + config,
        backend == Backend::Headless ? QStringLiteral("--backend=headless-backend.so")
                                     : QStringLiteral("--backend=x11-backend.so"),
        QStringLiteral("--use-pixman"),
        QStringLiteral("--socket=") + socket(),
        QStringLiteral("--width=1200"),
        QStringLiteral("--height=760"),
        QStringLiteral("--debug"),
        QStringLiteral("--log=") + runtime_.filePath(QStringLiteral("weston.log"))};
    weston_ = std::make_unique<QProcess>();
    weston_->setProcessEnvironment(env);
    weston_->setStandardOutputFile(QProcess::nullDevice());
    weston_->setStandardErrorFile(QProcess::nullDevice());
    weston_->start(QStringLiteral("weston"), args);
    if (!weston_->waitForStarted(10000)) {
        error_ = QStringLiteral("weston does not start");
        return;
    }
    // Up when its shell has drawn the background.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && weston_->state() == QProcess::Running) {
        const QImage shot = screenshot();
        if (!shot.isNull() && shot.pixel(shot.width() / 2, shot.height() / 2) == Background)
            return;
        QThread::msleep(100);
    }
    QFile log(runtime_.filePath(QStringLiteral("weston.log")));
    log.open(QIODevice::ReadOnly);
    error_ = QStringLiteral("weston shows no desktop: ") + QString::fromLocal8Bit(log.readAll());
}

WestonSession::~WestonSession() {
    if (weston_ && weston_->state() != QProcess::NotRunning) {
        weston_->terminate();
        if (!weston_->waitForFinished(5000)) {
            weston_->kill();
            weston_->waitForFinished(5000);
        }
    }
}

void WestonSession::addClientEnvironment(QProcessEnvironment& env) const {
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), socket());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
}

QImage WestonSession::screenshot() const {
    QDir dir(shots_.path());
    for (const QString& old : dir.entryList(QDir::Files))
        dir.remove(old);
    QProcess shooter;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    addClientEnvironment(env);
    shooter.setProcessEnvironment(env);
    shooter.setWorkingDirectory(shots_.path());
    shooter.setProcessChannelMode(QProcess::MergedChannels);
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!shooter.waitForFinished(10000)) {
        shooter.kill();
        shooter.waitForFinished(5000);
        return {};
    }
    const QStringList shots = dir.entryList({QStringLiteral("*.png")}, QDir::Files);
    if (shots.isEmpty())
        return {};
    return QImage(dir.filePath(shots.first())).convertToFormat(QImage::Format_RGB32);
}

QRect shownArea(const QImage& shot) {
    int left = shot.width(), top = shot.height(), right = -1, bottom = -1;
    for (int y = 0; y < shot.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); ++x)
            if ((line[x] | 0xff000000) != WestonSession::Background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
