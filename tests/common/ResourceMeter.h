#pragma once
// Measures what a piece of work costs the test program itself: wall time, and the peak
// resident memory above what the process held when the meter started, as the kernel counts
// it (the peak is reset through /proc/self/clear_refs, so earlier work does not count).

#include <QElapsedTimer>
#include <QFile>

class ResourceMeter {
public:
    ResourceMeter() {
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        if (reset.open(QIODevice::WriteOnly))
            reset.write("5"); // sets the peak to the present resident size
        startKiB_ = statusKiB("VmRSS:");
        timer_.start();
    }

    qint64 elapsedMs() const { return timer_.elapsed(); }
    // Peak resident memory since the start, above the resident memory at the start.
    qint64 peakAboveStartMiB() const { return (statusKiB("VmHWM:") - startKiB_) / 1024; }

    static qint64 statusKiB(const char* field) {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(field))
                return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
        return 0;
    }

private:
    qint64 startKiB_ = 0;
    QElapsedTimer timer_;
};
