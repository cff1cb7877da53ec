#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// An X display of its own for tests that start the real program as a user would: Xvfb on a
// free display number, and on request a window manager (openbox) and a notification area
// (trayer), each waited for until it is ready. Everything it started is stopped at the end.
// The tools it drives (xdotool, xprop) run on that display.
class DesktopSession {
public:
    explicit DesktopSession(bool withDesktop);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when the session is up.
    const QString& error() const { return error_; }
    QString display() const { return display_; }

    // The environment of a fresh user on this display: HOME, an empty XDG_RUNTIME_DIR of its
    // own, no XDG folder variables, and what the program needs to run as root and under the
    // sanitizers of a test build.
    QProcessEnvironment userEnvironment(const QString& home, const QString& runtime) const;

    // Runs a tool on this display; its standard output, trimmed. exitCode, when given, gets
    // the tool's exit code (-1 when it did not finish within ten seconds).
    QString run(const QString& program, const QStringList& arguments,
                int* exitCode = nullptr) const;

    // The visible top-level windows of a process (by _NET_WM_PID).
    QStringList visibleWindows(qint64 pid) const;
    // The two parts of a window's WM_CLASS (instance, class), empty when it has none.
    QStringList windowClass(const QString& window) const;

private:
    bool start(const QString& program, const QStringList& arguments);

    QString display_;
    QString error_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};
