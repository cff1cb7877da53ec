// Times an import of an extended M3U of N entries (bench/make_m3u.py, in the shape of the public
// TV lists) into a catalogue of M stations (bench/make_big.py): reading the file, planning
// (with the duplicate check against the catalogue), and writing the one transaction, each run
// into a fresh copy of the catalogue. Also the memory the import takes above the open
// catalogue, against the file's size.
//
//   bench_import [--entries N] [--stations M] [--runs R] [--by-group]

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/ImportWriter.h"
#include "app/catalogue/PlaylistReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

long statusKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Starts the peak over from the resident size now.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int entries = 100000, stations = 100000, runs = 3;
    bool byGroup = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--entries" && i + 1 < args.size())
            entries = std::max(1, args[++i].toInt());
        else if (args[i] == u"--stations" && i + 1 < args.size())
            stations = std::max(1, args[++i].toInt());
        else if (args[i] == u"--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == u"--by-group")
            byGroup = true;
    }
    QTemporaryDir dir;
    const QString pristine = dir.filePath(QStringLiteral("pristine.db"));
    const QString list = dir.filePath(QStringLiteral("big.m3u"));
    if (!run(QStringLiteral("python3"),
             {QStringLiteral(ORVIK_SOURCE_DIR "/bench/make_big.py"), QStringLiteral("--db"),
              pristine, QStringLiteral("--source"),
              QStringLiteral(ORVIK_SOURCE_DIR "/data/catalogue.sql"), QStringLiteral("-n"),
              QString::number(stations), QStringLiteral("-s"), QStringLiteral("42")}) ||
        !run(QStringLiteral("python3"),
             {QStringLiteral(ORVIK_SOURCE_DIR "/bench/make_m3u.py"), QStringLiteral("-n"),
              QString::number(entries), QStringLiteral("-o"), list})) {
        std::fprintf(stderr, "a generator failed\n");
        return 1;
    }
    const qint64 fileBytes = QFileInfo(list).size();
    std::printf("Import of %d M3U entries (%.1f MB) into %d stations, %s, %d runs\n", entries,
                fileBytes / 1e6, stations, byGroup ? "one category per group" : "one category",
                runs);

    std::vector<double> reading, planning, writing, total;
    long extraKiB = 0;
    orvik::TImportPlan plan;
    try {
        for (int r = 0; r < runs; ++r) {
            const QString folder = dir.filePath(QStringLiteral("run%1").arg(r));
            QDir().mkpath(folder);
            QFile::copy(pristine, folder + QStringLiteral("/data.db"));
            TCatalogue catalogue;
            catalogue.Open(folder);
            const long before = statusKiB("VmRSS:");
            resetPeak();
            QElapsedTimer clock;
            clock.start();
            const orvik::TPlaylist playlist = orvik::ReadPlaylistFile(list);
            const double read = clock.nsecsElapsed() / 1e9;
            orvik::TImportPlanner planner(catalogue);
            plan = planner.Plan(playlist, {byGroup, QStringLiteral("Imported")});
            const double planned = clock.nsecsElapsed() / 1e9;
            orvik::WriteImport(catalogue, playlist, plan);
            const double written = clock.nsecsElapsed() / 1e9;
            reading.push_back(read);
            planning.push_back(planned - read);
            writing.push_back(written - planned);
            total.push_back(written);
            extraKiB = std::max(extraKiB, statusKiB("VmHWM:") - before);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "import failed: %s\n", e.what());
        return 1;
    }
    std::printf("  %s\n", qPrintable(plan.Summary().join(QStringLiteral("; "))));
    std::printf("  reading  median %6.3f s\n  planning median %6.3f s (duplicate check included)\n"
                "  writing  median %6.3f s (one transaction)\n  total    median %6.3f s "
                "(goal at most 2 s: %s)\n",
                median(reading), median(planning), median(writing), median(total),
                median(total) <= 2.0 ? "met" : "NOT met");
    std::printf("  peak memory above the open catalogue: %.1f MB = %.2f x the file (goal at most "
                "3 x: %s)\n",
                extraKiB * 1024 / 1e6, extraKiB * 1024.0 / fileBytes,
                extraKiB * 1024.0 <= 3.0 * fileBytes ? "met" : "NOT met");
    return 0;
}
