#include "tests/common/ProgramFolderFixture.h"

#include "core/ProgramFolder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <stdexcept>

namespace {

QStringList scriptStatements(const QString& file, bool schemaOnly) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + file.toStdString());
    QStringList out;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("--")) ||
            line.startsWith(QStringLiteral("BEGIN")) || line.startsWith(QStringLiteral("COMMIT")))
            continue;
        if (schemaOnly && !line.startsWith(QStringLiteral("CREATE")))
            continue;
        out << line;
    }
    return out;
}

} // namespace

ProgramFolderFixture::ProgramFolderFixture(Catalogue catalogue, const QStringList& statements) {
    if (!dir_.isValid() || !home_.isValid())
        throw std::runtime_error("no temporary folder");
    oldDataHome_ = qgetenv("XDG_DATA_HOME");
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home_.path() + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path() + QStringLiteral("/config")));
    QFile::copy(QStringLiteral(ORVIK_SOURCE_DIR "/data/links.htm"),
                path() + QStringLiteral("links.htm"));
    QFile::copy(QStringLiteral(ORVIK_SOURCE_DIR "/data/report.htm"),
                path() + QStringLiteral("report.htm"));
    if (catalogue != Catalogue::None) {
        const QString sample = QStringLiteral(ORVIK_SOURCE_DIR "/data/catalogue.sql");
        QStringList all = scriptStatements(sample, catalogue == Catalogue::SchemaOnly);
        if (catalogue == Catalogue::SampleWithEdgeCases)
            all += scriptStatements(
                QStringLiteral(ORVIK_SOURCE_DIR "/tests/fixtures/edge-cases.sql"), false);
        all += statements;
        exec(all);
    }
    orvik::setProgramFolder(path());
}

ProgramFolderFixture::~ProgramFolderFixture() {
    orvik::setProgramFolder(QString());
    for (auto [name, old] : {std::pair{"XDG_DATA_HOME", &oldDataHome_},
                             std::pair{"XDG_CONFIG_HOME", &oldConfigHome_}}) {
        if (old->isEmpty())
            qunsetenv(name);
        else
            qputenv(name, *old);
    }
}

QString ProgramFolderFixture::userDataHome() const {
    return home_.path() + QStringLiteral("/data/");
}

QString ProgramFolderFixture::userConfigHome() const {
    return home_.path() + QStringLiteral("/config/");
}

QString ProgramFolderFixture::path() const {
    return dir_.path() + u'/';
}

void ProgramFolderFixture::exec(const QStringList& statements) const {
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath());
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
        db.transaction();
        QSqlQuery q(db);
        for (const QString& s : statements)
            if (!q.exec(s))
                throw std::runtime_error((s + ": " + q.lastError().text()).toStdString());
        db.commit();
    }
    QSqlDatabase::removeDatabase(name);
}
