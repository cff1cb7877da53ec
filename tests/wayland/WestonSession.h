#pragma once

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A Wayland desktop of its own for tests: the real weston compositor with its desktop shell,
// on a runtime folder and socket of its own, with a plain one-colour background and no panel
// or animations, so that a window is the only thing on screen. The headless back end has no
// input devices; the X11 back end runs as a window on an X display and takes its pointer and
// keyboard from there (so xdotool on that display drives the compositor's seat).
class WestonSession {
public:
    enum class Backend { Headless, X11 };
    static constexpr QRgb Background = 0xff336699;

    WestonSession(Backend backend, const QString& xDisplay = {});
    ~WestonSession();
    WestonSession(const WestonSession&) = delete;
    WestonSession& operator=(const WestonSession&) = delete;

    // Empty when the compositor is up.
    const QString& error() const { return error_; }
    QString runtimeFolder() const { return runtime_.path(); }
    QString socket() const { return QStringLiteral("wayland-orvik-test"); }
    // Adds what a client of this compositor needs to an environment.
    void addClientEnvironment(QProcessEnvironment& env) const;

    // What the compositor shows, read through its screenshot interface; null on failure.
    QImage screenshot() const;

private:
    QTemporaryDir runtime_;
    QTemporaryDir shots_;
    QString error_;
    std::unique_ptr<QProcess> weston_;
};

// The bounding box of everything that is not the background.
QRect shownArea(const QImage& shot);
