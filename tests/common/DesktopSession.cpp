#include "tests/common/DesktopSession.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

namespace {

// Polls a condition for a while; the session's helpers have no signal to wait on.
template <typename F> bool waitFor(F ready, int ms = 15000) {
    const QDeadlineTimer deadline(ms);
    while (!ready()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

} // namespace

DesktopSession::DesktopSession(bool withDesktop) {
    // Xvfb picks a free display and writes its number to standard output once it accepts
    // clients.
    auto xvfb = std::make_unique<QProcess>();
    xvfb->setProcessChannelMode(QProcess::SeparateChannels);
    xvfb->setStandardErrorFile(QProcess::nullDevice());
    xvfb->start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                 QStringLiteral("0"), QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp")});
    QProcess* x = xvfb.get();
    processes_.push_back(std::move(xvfb));
    if (!x->waitForStarted(10000)) {
        error_ = QStringLiteral("Xvfb does not start");
        return;
    }
    QByteArray out;
    if (!waitFor([&] {
            x->waitForReadyRead(50);
            out += x->readAllStandardOutput();
            return out.contains('\n') || x->state() != QProcess::Running;
        }) ||
        !out.contains('\n')) {
        error_ = QStringLiteral("Xvfb gives no display");
        return;
    }
    display_ = u':' + QString::fromLatin1(out.trimmed());
    if (!withDesktop)
        return;

    if (!start(QStringLiteral("openbox"), {}) || !waitFor([this] {
            return run(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QStringLiteral("window id"));
        })) {
        error_ = QStringLiteral("openbox does not start");
        return;
    }
    if (!start(QStringLiteral("trayer"),
               {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                QStringLiteral("--height"), QStringLiteral("24")}) ||
        !waitFor([this] {
            return !run(QStringLiteral("xdotool"),
                        {QStringLiteral("search"), QStringLiteral("--class"),
                         QStringLiteral("^trayer$")})
                        .isEmpty();
        }))
        error_ = QStringLiteral("trayer does not start");
}

DesktopSession::~DesktopSession() {
    // The X server last: its clients go first.
    for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(5000)) {
            (*it)->kill();
            (*it)->waitForFinished(5000);
        }
    }
}

bool DesktopSession::start(const QString& program, const QStringList& arguments) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p->setProcessEnvironment(env);
    p->setStandardOutputFile(QProcess::nullDevice());
    p->setStandardErrorFile(QProcess::nullDevice());
    p->start(program, arguments);
    const bool started = p->waitForStarted(10000);
    processes_.push_back(std::move(p));
    return started;
}

QProcessEnvironment DesktopSession::userEnvironment(const QString& home,
                                                    const QString& runtime) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                             "XDG_RUNTIME_DIR", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("orvik.startup.info=true"));
    // A test build's program carries the sanitizers; what the desktop's libraries keep at
    // exit is not the program's to answer for here.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               QStringLiteral("detect_leaks=0:detect_odr_violation=0:new_delete_type_mismatch=0"));
    return env;
}

QString DesktopSession::run(const QString& program, const QStringList& arguments,
                            int* exitCode) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, arguments);
    const bool finished = p.waitForFinished(10000);
    if (exitCode)
        *exitCode = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    if (!finished)
        p.kill();
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QStringList DesktopSession::visibleWindows(qint64 pid) const {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid)})
        .split(u'\n', Qt::SkipEmptyParts);
}

QStringList DesktopSession::windowClass(const QString& window) const {
    // WM_CLASS(STRING) = "orvik", "Orvik"
    const QString line =
        run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("WM_CLASS")});
    QStringList parts;
    const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (auto it = quoted.globalMatch(line); it.hasNext();)
        parts << it.next().captured(1);
    return parts;
}
