// Type-to-find in the main window over a catalogue of N stations made by bench/make_big.py:
// for each key press of typing a six-letter name (taken from a station in the middle of the
// catalogue), the time from the key to the tree painted, and the same for the Escape that
// clears the box and gives the tree back. Also the window's start (catalogue load included)
// and the resident memory after it.
//
//   bench_find [--stations N] [--runs N]
//
// Needs a display, or runs on the offscreen platform when there is none.

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "core/ProgramFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// One key press and release, then the tree painted.
double press(QWidget* box, QWidget* viewport, int key, const QString& text) {
    QElapsedTimer clock;
    clock.start();
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(box, &up);
    QApplication::processEvents();
    viewport->repaint();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    QApplication app(argc, argv);

    int stations = 100000;
    int runs = 3;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--stations" && i + 1 < args.size())
            stations = std::max(1, args[++i].toInt());
        else if (args[i] == u"--runs" && i + 1 < args.size())
            runs = std::max(1, args[++i].toInt());
    }

    QTemporaryDir dir;
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(QStringLiteral("python3"),
                    {QStringLiteral(ORVIK_SOURCE_DIR "/bench/make_big.py"), QStringLiteral("--db"),
                     dir.filePath(QStringLiteral("data.db")), QStringLiteral("--source"),
                     QStringLiteral(ORVIK_SOURCE_DIR "/data/catalogue.sql"), QStringLiteral("-n"),
                     QString::number(stations), QStringLiteral("-s"), QStringLiteral("42")});
    generator.waitForFinished(-1);
    if (generator.exitStatus() != QProcess::NormalExit || generator.exitCode() != 0) {
        std::fprintf(stderr, "make_big.py failed\n");
        return 1;
    }

    // The name typed: the first six letters of a station in the middle of the catalogue.
    QString name;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("n"));
        db.setDatabaseName(dir.filePath(QStringLiteral("data.db")));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select s_name from stations where length(s_name) >= 6 "
                                  "order by s_id limit 1 offset %1")
                       .arg(stations / 2));
            if (q.next())
                name = q.value(0).toString().left(6);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("n"));
    if (name.size() < 6) {
        std::fprintf(stderr, "no station name to type\n");
        return 1;
    }

    orvik::setProgramFolder(dir.path() + u'/');
    const long rssBefore = residentKiB();
    QElapsedTimer clock;
    clock.start();
    auto window = std::make_unique<TfrmMain>();
    window->show();
    QApplication::processEvents();
    const double start = clock.nsecsElapsed() / 1e9;
    Ui::TfrmMain& u = window->form();
    std::printf("%d stations; window started in %.2f s (catalogue load included); resident %ld "
                "MiB (%ld MiB before the window)\n",
                stations, start, residentKiB() / 1024, rssBefore / 1024);
    std::printf("typing \"%s\" into the find box, %d runs; platform %s\n", qPrintable(name), runs,
                qPrintable(QGuiApplication::platformName()));

    QWidget* box = u.txtFind;
    QWidget* viewport = u.tvStations->viewport();
    u.txtFind->setFocus();
    std::vector<double> keys, clears;
    std::vector<std::vector<double>> perKey(6);
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < 6; ++i) {
            const QChar c = name[i];
            const double ms = press(box, viewport, c.toUpper().unicode(), QString(c));
            keys.push_back(ms);
            perKey[i].push_back(ms);
        }
        clears.push_back(press(box, viewport, Qt::Key_Escape, QString()));
    }
    for (int i = 0; i < 6; ++i)
        std::printf("  key %d (\"%s\"): median %7.1f ms, worst %7.1f ms\n", i + 1,
                    qPrintable(name.left(i + 1)), median(perKey[i]),
                    *std::max_element(perKey[i].begin(), perKey[i].end()));
    std::printf("every key press: median %.1f ms, worst %.1f ms\n", median(keys),
                *std::max_element(keys.begin(), keys.end()));
    std::printf("Escape (the tree given back): median %.1f ms, worst %.1f ms\n", median(clears),
                *std::max_element(clears.begin(), clears.end()));
    std::printf("resident after finding: %ld MiB\n", residentKiB() / 1024);
    return 0;
}
