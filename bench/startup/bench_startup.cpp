// Start-up time and memory: starts the program from the build folder with the sample
// catalogue, measures the time from process start to the first paint of the main window and
// the resident memory at that moment, then closes it. Each run starts the program twice, with
// "Use Skins" on and off (the program folder's settings.ini, put back as it was at the end), so
// that the two sets of figures come from the same conditions. Needs a display (run under
// xvfb-run).
//
//   bench_startup [runs] [program]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

// settings.ini with the Skins section's Active key set to `on`; every other line as it was.
QByteArray withSkins(const QByteArray& original, bool on) {
    const QByteArray active = on ? "Active=1" : "Active=0";
    QList<QByteArray> lines = original.split('\n');
    if (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    QList<QByteArray> out;
    bool inSkins = false, written = false;
    for (const QByteArray& line : lines) {
        const QByteArray t = line.trimmed();
        if (t.startsWith('[')) {
            if (inSkins && !written) {
                out << active;
                written = true;
            }
            inSkins = t.compare("[Skins]", Qt::CaseInsensitive) == 0;
        } else if (inSkins && t.toLower().startsWith("active=")) {
            continue;
        }
        out << line;
        if (inSkins && t.startsWith('[') && !written) {
            out << active;
            written = true;
        }
    }
    if (!written)
        out << "[Skins]" << active;
    return out.join('\n') + '\n';
}

// Puts the program's settings file back as it was when the benchmark started.
class SettingsGuard {
public:
    explicit SettingsGuard(QString path) : path_(std::move(path)) {
        QFile f(path_);
        existed_ = f.open(QIODevice::ReadOnly);
        if (existed_)
            original_ = f.readAll();
    }
    ~SettingsGuard() {
        if (!existed_) {
            QFile::remove(path_);
            return;
        }
        write(original_);
    }
    bool set(bool skinsOn) const { return write(withSkins(original_, skinsOn)); }

private:
    bool write(const QByteArray& bytes) const {
        QFile f(path_);
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    }
    QString path_;
    QByteArray original_;
    bool existed_ = false;
};

struct Sample {
    double ms = 0;
    qint64 rssKiB = 0;
};

// Starts the program once and waits for its first paint; false when none came.
bool startOnce(const QString& program, Sample* sample) {
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
        return false;
    }
    QByteArray out;
    bool painted = false;
    while (!painted && clock.elapsed() < 30000 && p.state() == QProcess::Running) {
        p.waitForReadyRead(50);
        out += p.readAll();
        painted = out.contains("first paint");
    }
    sample->ms = clock.nsecsElapsed() / 1e6;
    sample->rssKiB = residentKiB(p.processId());
    p.terminate();
    if (!p.waitForFinished(10000))
        p.kill();
    if (!painted)
        std::fprintf(stderr, "no first paint seen; output:\n%s\n", out.constData());
    return painted;
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
    // The program keeps its settings beside itself when it runs from its own folder.
    const QFileInfo exe(program);
    if (!QFileInfo::exists(exe.absolutePath() + QStringLiteral("/data.db"))) {
        std::fprintf(stderr, "%s does not run from its own folder (no data.db beside it)\n",
                     qPrintable(program));
        return 2;
    }
    const SettingsGuard settings(exe.absolutePath() + QStringLiteral("/settings.ini"));
    QList<double> millis[2];
    QList<qint64> rss[2];
    const char* names[2] = {"skins off", "skins on"};
    for (int i = 0; i < runs; ++i) {
        for (int on = 1; on >= 0; --on) {
            Sample s;
            if (!settings.set(on == 1) || !startOnce(program, &s))
                return 1;
            millis[on] << s.ms;
            rss[on] << s.rssKiB;
            std::printf("run %d, %s: first paint after %.1f ms, resident %.1f MiB\n", i + 1,
                        names[on], s.ms, s.rssKiB / 1024.0);
        }
    }
    for (int on = 1; on >= 0; --on)
        std::printf("startup, %s: median %.1f ms to first paint, median resident %.1f MiB over "
                    "%d runs\n",
                    names[on], median(millis[on]), median(rss[on]) / 1024.0, runs);
    std::printf("skinning adds %.1f ms and %.1f MiB (goals: first paint at most 400 ms with "
                "skins on, at most 10 MiB more)\n",
                median(millis[1]) - median(millis[0]), (median(rss[1]) - median(rss[0])) / 1024.0);
    return 0;
}
