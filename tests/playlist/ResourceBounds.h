#pragma once

// Wall time and peak resident memory of the test program, for the checks that hostile files
// end in bounded time and memory.

#include <QElapsedTimer>
#include <QFile>
#include <QString>

// The peak resident set of this process in MiB (VmHWM of /proc/self/status), or -1.
inline qint64 peakResidentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

// Runs work and reports how long it took and how far the peak resident set rose.
struct Bounded {
    qint64 ms = 0;
    qint64 peakRiseMiB = 0;
    template <typename Work> explicit Bounded(Work&& work) {
        const qint64 before = peakResidentMiB();
        QElapsedTimer clock;
        clock.start();
        work();
        ms = clock.elapsed();
        peakRiseMiB = peakResidentMiB() - before;
    }
};
