#include "tests/common/PrivateBus.h"

#include <QProcess>
#include <QSignalSpy>

#include <csignal>
#include <cstdio>
#include <cstdlib>

PrivateBus::PrivateBus() {
    // --fork: the daemon's starter prints the address and process id, then leaves.
    FILE* out = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
    if (!out)
        return;
    char line[512];
    QByteArrayList lines;
    while (lines.size() < 2 && fgets(line, sizeof line, out))
        lines += QByteArray(line).trimmed();
    pclose(out);
    if (lines.size() < 2 || lines[0].isEmpty())
        return;
    address_ = lines[0];
    pid_ = lines[1].toLong();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address_);
}

PrivateBus::~PrivateBus() {
    if (pid_ > 0)
        kill(pid_t(pid_), SIGTERM);
}

QString runToEnd(const QString& program, const QStringList& args, int* exitCode, int timeoutMs) {
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(program, args);
    if (!process.waitForStarted(5000)) {
        if (exitCode)
            *exitCode = -1;
        return QString();
    }
    const bool ended = finished.wait(timeoutMs) || !finished.isEmpty();
    if (!ended) {
        process.kill();
        process.waitForFinished(2000);
    }
    if (exitCode)
        *exitCode = ended && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
