#pragma once

#include <QStringList>
#include <QTextStream>

#include <stdexcept>

// A command line that does not fit the command's usage.
class CatalogueUsageError : public std::runtime_error {
public:
    CatalogueUsageError() : std::runtime_error("usage") {}
};

// The subcommands of orvik-catalogue. Each takes the arguments after its name, prints what it
// did to out and returns the exit code; a failure throws (orvik::Error for the user).
int importCommand(const QStringList& args, QTextStream& out);
int exportCommand(const QStringList& args, QTextStream& out);
int statsCommand(const QStringList& args, QTextStream& out);
