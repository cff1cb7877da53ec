#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A real streaming server for tests: Debian's icecast2 on a free loopback port with a
// configuration of its own (as root it gives up its rights to nobody), fed an endless MP3 tone
// by ffmpeg on one mount. Stopped when destroyed.
class Icecast {
public:
    static constexpr const char* kMount = "/live.mp3";

    Icecast();
    ~Icecast();

    // Starts the server and its source and waits until the mount is on air; false on failure
    // (error() says why).
    bool start();
    // Ends the source and the server at once, as a crash or a pulled cable would.
    void stop();
    const QString& error() const { return error_; }

    quint16 port() const { return port_; }
    QString url() const;
    // The title the server sends with the stream, through its admin interface.
    bool setTitle(const QString& song);
    // The metadata interval of the mount, in bytes of the stream.
    static constexpr int kMetaInterval = 4000;

private:
    bool onAir();
    QString get(const QString& pathAndQuery, bool admin, int* status = nullptr);

    QTemporaryDir dir_;
    quint16 port_ = 0;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> source_;
    QString error_;
};
