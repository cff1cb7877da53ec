#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder for tests: data.db made from SQL scripts (one statement per
// line, as data/catalogue.sql is written) and statements, plus links.htm. Points the program
// folder at itself while it lives, and the user's data and configuration folders
// ($XDG_DATA_HOME, $XDG_CONFIG_HOME) at an empty temporary home, so that a folder without
// data.db (which the program treats as installed) never reaches the real user's files.
class ProgramFolderFixture {
public:
    // The shipped catalogue, the test-only edge rows, or a catalogue of its own.
    enum class Catalogue { Sample, SampleWithEdgeCases, SchemaOnly, None };

    explicit ProgramFolderFixture(Catalogue catalogue = Catalogue::SampleWithEdgeCases,
                                  const QStringList& statements = {});
    ~ProgramFolderFixture();

    QString path() const; // with a trailing separator
    // The temporary home's data and configuration folders, with a trailing separator.
    QString userDataHome() const;
    QString userConfigHome() const;
    QString databasePath() const { return path() + QStringLiteral("data.db"); }
    // Runs statements on data.db (through a connection of its own).
    void exec(const QStringList& statements) const;

private:
    QTemporaryDir dir_;
    QTemporaryDir home_;
    QByteArray oldDataHome_, oldConfigHome_;
};
