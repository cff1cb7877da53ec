// Start-up time and memory: starts the program from the build folder with the sample
// catalogue, measures the time from process start to the first paint of the main window and
// the resident memory at that moment, then closes it. Needs a display (run under xvfb-run).
//
//   bench_startup [runs] [program]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

qint64 residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

template <typename T> T median(QList<T> v) {
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? T() : v[v.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    const QString program =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(ORVIK_BUILD_DIR "/orvik");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "bench_startup needs a display (run it under xvfb-run)\n");
        return 2;
    }
    QList<double> millis;
    QList<qint64> rss;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("orvik.startup.info=true"));
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        p.start(program, {});
        if (!p.waitForStarted(10000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return 1;
        }
        QByteArray out;
        bool painted = false;
        while (!painted && clock.elapsed() < 30000 && p.state() == QProcess::Running) {
            p.waitForReadyRead(50);
            out += p.readAll();
            painted = out.contains("first paint");
        }
        const double ms = clock.nsecsElapsed() / 1e6;
        if (!painted) {
            std::fprintf(stderr, "no first paint seen; output:\n%s\n", out.constData());
            return 1;
        }
        millis << ms;
        rss << residentKiB(p.processId());
        p.terminate();
        if (!p.waitForFinished(10000))
            p.kill();
        std::printf("run %d: first paint after %.1f ms, resident %.1f MiB\n", i + 1, ms,
                    rss.last() / 1024.0);
    }
    std::printf("startup: median %.1f ms to first paint (goal 1500 ms), median resident %.1f MiB "
                "(goal 150 MB) over %d runs\n",
                median(millis), median(rss) / 1024.0, runs);
    return 0;
}
