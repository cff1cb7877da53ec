#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A session bus of the test's own: a real dbus-daemon started on a private address, which
// DBUS_SESSION_BUS_ADDRESS then names for this process and the programs it starts. Made before
// the application object, since Qt connects to the session bus once. Stopped when destroyed.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool running() const { return pid_ > 0; }
    const QByteArray& address() const { return address_; }

private:
    QByteArray address_;
    long pid_ = 0;
};

// Runs a program to its end while this thread's event loop keeps running (the program may be
// talking to this process over the bus). Gives its standard output, trimmed; exitCode gets
// its exit code, or -1 when it did not end within timeoutMs.
QString runToEnd(const QString& program, const QStringList& args, int* exitCode = nullptr,
                 int timeoutMs = 15000);
