#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One program per catalogue. The first start locks a file in the user's runtime folder
// ($XDG_RUNTIME_DIR) and listens on a local socket beside it; a later start on the same
// catalogue finds the lock held, asks the first program over the socket to bring its window to
// the front, and ends. The lock is the kernel's (flock): it goes with the process that held it,
// so a program that crashed or was killed never keeps the next one from starting.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(const QString& catalogue, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when this process is now the one program on the catalogue: it holds the lock and
    // answers later starts. Also true when no lock can be made at all (no runtime folder), so
    // that the program still starts.
    bool Acquire();
    // The program that holds the lock is asked to show its window; true once it has answered
    // within timeoutMs.
    bool ShowRunning(int timeoutMs = 10000);

    // True when some program holds the lock of this catalogue (this one included).
    static bool Running(const QString& catalogue);

    QString LockPath() const { return lockPath_; }
    QString ServerName() const { return serverName_; }

signals:
    // A later start asked for the window.
    void ShowRequested();

private:
    void answer(QLocalSocket* socket);

    QString lockPath_;
    QString serverName_;
    int fd_ = -1;
    QLocalServer* server_ = nullptr;
};
