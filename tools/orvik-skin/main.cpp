// orvik-skin SUBCOMMAND ARGS...: see registeredCommands() for the subcommands.

#include "tools/orvik-skin/Command.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

namespace {

void printHelp(QTextStream& stream) {
    stream << "usage: orvik-skin SUBCOMMAND ARGS...\n";
    for (const SkinCommand& command : registeredCommands())
        stream << "  orvik-skin " << command.usage << "\n      " << command.summary << "\n";
}

} // namespace

int main(int argc, char** argv) {
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const auto& commands = registeredCommands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const SkinCommand& c) { return c.name == name; });
    if (name == QLatin1String("help") || name == QLatin1String("--help") ||
        name == QLatin1String("-h")) {
        printHelp(out());
        return 0;
    }
    if (command == commands.end()) {
        if (!name.isEmpty())
            err() << "orvik-skin: unknown subcommand \"" << name << "\"\n";
        printHelp(err());
        return 2;
    }

    std::unique_ptr<QCoreApplication> app;
    if (command->gui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(2);

    int code = 1;
    try {
        code = command->run(args);
    } catch (const UsageError&) {
        err() << "usage: orvik-skin " << command->usage << "\n";
        code = 2;
    } catch (const std::exception& e) {
        err() << "orvik-skin " << command->name << ": " << QString::fromUtf8(e.what()) << "\n";
        code = 1;
    }
    out().flush();
    err().flush();
    return code;
}
