#pragma once

// The real program started as a user starts it, on a DesktopSession: its window, its WM_CLASS,
// the catalogue it loaded (its start-up log line), and the catalogue files it keeps.

#include "tests/common/DesktopSession.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QtTest>

#include <memory>

// What the program says it loaded: "catalogue <path>: <n> categories, <m> stations".
struct LoadedCatalogue {
    QString path;
    int categories = -1;
    int stations = -1;
};

class ProgramRun {
public:
    ProgramRun(const DesktopSession& session, const QString& program,
               const QProcessEnvironment& env)
        : session_(session) {
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start(program, {});
        process_.waitForStarted(30000);
    }
    ~ProgramRun() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    QProcess& process() { return process_; }
    qint64 pid() const { return process_.processId(); }
    QByteArray output() {
        log_ += process_.readAll();
        return log_;
    }

    // Waits for the main window to be on screen (the program logs its first paint; the splash
    // window is gone by then); its window id, or empty.
    QString waitForWindow(int ms = 90000) {
        QString window;
        const QDeadlineTimer deadline(ms);
        while (window.isEmpty() && !deadline.hasExpired() &&
               process_.state() == QProcess::Running) {
            process_.waitForReadyRead(100);
            if (!output().contains("first paint"))
                continue;
            const QStringList shown = session_.visibleWindows(pid());
            if (!shown.isEmpty())
                window = shown.first();
        }
        return window;
    }

    bool windowShown(const QString& window) const {
        return session_.visibleWindows(process_.processId()).contains(window);
    }

    LoadedCatalogue loaded() {
        static const QRegularExpression line(
            QStringLiteral("catalogue (.+): (\\d+) categories, (\\d+) stations"));
        const QRegularExpressionMatch m = line.match(QString::fromLocal8Bit(output()));
        if (!m.hasMatch())
            return {};
        return {m.captured(1), m.captured(2).toInt(), m.captured(3).toInt()};
    }

private:
    const DesktopSession& session_;
    QProcess process_;
    QByteArray log_;
};

// Runs one statement on a catalogue file through a connection of its own. For a query, the
// first column of the first row as an integer; for any other statement 0; -1 on a failure.
inline int catalogueNumber(const QString& path, const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    int result = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql))
                result = q.isSelect() ? (q.next() ? q.value(0).toInt() : -1) : 0;
        }
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}

// The counts the program shows for a catalogue: every category, and the stations of the
// categories that exist.
inline LoadedCatalogue expectedCatalogue(const QString& path) {
    return {path, catalogueNumber(path, QStringLiteral("select count(*) from categories")),
            catalogueNumber(path, QStringLiteral("select count(*) from stations where c_id in "
                                                 "(select c_id from categories)"))};
}
