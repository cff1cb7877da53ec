#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary program folder for tests: data.db made from SQL scripts (one statement per
// line, as data/catalogue.sql is written) and statements, plus links.htm. Points the program
// folder at itself while it lives.
class ProgramFolderFixture {
public:
    // The shipped catalogue, the test-only edge rows, or a catalogue of its own.
    enum class Catalogue { Sample, SampleWithEdgeCases, SchemaOnly, None };

    explicit ProgramFolderFixture(Catalogue catalogue = Catalogue::SampleWithEdgeCases,
                                  const QStringList& statements = {});
    ~ProgramFolderFixture();

    QString path() const; // with a trailing separator
    QString databasePath() const { return path() + QStringLiteral("data.db"); }
    // Runs statements on data.db (through a connection of its own).
    void exec(const QStringList& statements) const;

private:
    QTemporaryDir dir_;
};
