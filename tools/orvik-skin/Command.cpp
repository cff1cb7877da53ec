#include "tools/orvik-skin/Command.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

std::vector<SkinCommand>& registry() {
    static std::vector<SkinCommand> commands;
    return commands;
}

} // namespace

const std::vector<SkinCommand>& registeredCommands() {
    return registry();
}

RegisterCommand::RegisterCommand(const char* name, const char* usage, const char* summary,
                                 int (*run)(const QStringList& args), bool gui) {
    auto& commands = registry();
    const SkinCommand command{QString::fromUtf8(name), QString::fromUtf8(usage),
                              QString::fromUtf8(summary), run, gui};
    commands.insert(std::upper_bound(
                        commands.begin(), commands.end(), command,
                        [](const SkinCommand& a, const SkinCommand& b) { return a.name < b.name; }),
                    command);
}

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CommandError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CommandError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return data;
}

void writeWholeFile(const QString& path, const QByteArray& data) {
    // Written aside and renamed at the end, so a failure never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw CommandError(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}
