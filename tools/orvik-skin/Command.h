#pragma once

// The subcommand registry of orvik-skin. A subcommand lives in its own .cpp file and registers
// itself with a file-scope object:
//
//     static const RegisterCommand reg{"list", "list IN.skn", "names and sizes of the entries",
//                                      &runList};
//
// The function gets the arguments after the subcommand's name and returns the exit code.
// Failures are thrown as CommandError (exit code 1); wrong arguments as UsageError (exit code
// 2, the usage line is printed). Commands that draw (QPainter on QImage, fonts) set `gui` so
// that main creates a QGuiApplication.

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <stdexcept>
#include <vector>

struct SkinCommand {
    QString name;
    QString usage;   // arguments, e.g. "pack DIR OUT.skn"
    QString summary; // one line for the help text
    int (*run)(const QStringList& args);
    bool gui = false;
};

class CommandError : public std::runtime_error {
public:
    explicit CommandError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class UsageError : public std::runtime_error {
public:
    UsageError() : std::runtime_error("wrong arguments") {}
};

// Every registered command, in name order.
const std::vector<SkinCommand>& registeredCommands();

struct RegisterCommand {
    RegisterCommand(const char* name, const char* usage, const char* summary,
                    int (*run)(const QStringList& args), bool gui = false);
};

// Standard output and error of the tool.
QTextStream& out();
QTextStream& err();

// Helpers shared by the commands; both throw CommandError with the path and the reason.
QByteArray readWholeFile(const QString& path);
void writeWholeFile(const QString& path, const QByteArray& data);
