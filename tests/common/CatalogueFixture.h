#pragma once

// A temporary program folder holding a data.db built from the shipped catalogue script
// (data/catalogue.sql) and, by default, the test-only rows of tests/fixtures/edge-cases.sql.
// The scripts hold one statement per line and are run line by line through QSQLITE. The folder
// also answers questions about the database through a connection of its own, so tests can
// compare what the program shows with what is stored.

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QVariant>

#include <atomic>
#include <functional>

class CatalogueFolder {
public:
    enum Content { SampleWithEdgeCases, SampleOnly, NoDatabase };

    // subfolder: a folder below the temporary one to use as program folder (e.g. a name with
    // spaces), or empty for the temporary folder itself.
    explicit CatalogueFolder(Content content = SampleWithEdgeCases, const QString& subfolder = {}) {
        if (!dir_.isValid()) {
            error_ = QStringLiteral("no temporary folder");
            return;
        }
        path_ = dir_.path() + u'/';
        if (!subfolder.isEmpty()) {
            QDir(dir_.path()).mkpath(subfolder);
            path_ += subfolder + u'/';
        }
        if (content == NoDatabase)
            return;
        runScript(QStringLiteral(ORVIK_SOURCE_DIR "/data/catalogue.sql"));
        if (content == SampleWithEdgeCases)
            runScript(QStringLiteral(ORVIK_SOURCE_DIR "/tests/fixtures/edge-cases.sql"));
    }

    // Empty when the folder was made as asked.
    const QString& error() const { return error_; }
    // The program folder, with a trailing separator.
    const QString& path() const { return path_; }
    QString dbPath() const { return path_ + QStringLiteral("data.db"); }

    // Runs statements, one per entry, on data.db (creating it if needed). False on the first
    // failure, whose text goes to error().
    bool exec(const QStringList& statements) {
        return withDatabase([&](QSqlDatabase& db) {
            for (const QString& sql : statements) {
                QSqlQuery query(db);
                if (!query.exec(sql)) {
                    error_ = query.lastError().text() + QStringLiteral(" in: ") + sql;
                    return false;
                }
            }
            return true;
        });
    }

    bool runScript(const QString& file) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
            error_ = QStringLiteral("cannot read ") + file;
            return false;
        }
        QStringList statements;
        QTextStream text(&in);
        while (!text.atEnd()) {
            const QString line = text.readLine().trimmed();
            if (!line.isEmpty() && !line.startsWith(QStringLiteral("--")))
                statements << line;
        }
        return exec(statements);
    }

    // The first column of every row of a statement, as text (NULL as a null QString).
    QStringList strings(const QString& sql, const QVariantList& params = {}) {
        QStringList out;
        withDatabase([&](QSqlDatabase& db) {
            QSqlQuery query(db);
            query.prepare(sql);
            for (const QVariant& p : params)
                query.addBindValue(p);
            if (!query.exec()) {
                error_ = query.lastError().text();
                return false;
            }
            while (query.next())
                out << (query.value(0).isNull() ? QString() : query.value(0).toString());
            return true;
        });
        return out;
    }

    // The first column of the first row as an integer, -1 when there is none.
    int integer(const QString& sql, const QVariantList& params = {}) {
        const QStringList values = strings(sql, params);
        return values.isEmpty() ? -1 : values.first().toInt();
    }

private:
    bool withDatabase(const std::function<bool(QSqlDatabase&)>& work) {
        static std::atomic<int> counter{0};
        const QString name = QStringLiteral("catalogue-fixture-%1").arg(++counter);
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(dbPath());
            if (db.open()) {
                ok = work(db);
                db.close();
            } else {
                error_ = db.lastError().text();
            }
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    }

    QTemporaryDir dir_;
    QString path_;
    QString error_;
};
