// orvik-catalogue: playlist import and export and catalogue counts from the shell.
//
//   orvik-catalogue import FILE [--category NAME | --by-group] [--db PATH]
//   orvik-catalogue export FILE [--category NAME | --favorites] [--db PATH]
//   orvik-catalogue stats [--db PATH]
//
// The catalogue is the one the program opens (its data.db) unless --db names another.

#include "tools/orvik-catalogue/CatalogueCommands.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char* const usage =
    "usage: orvik-catalogue import FILE [--category NAME | --by-group] [--db PATH]\n"
    "       orvik-catalogue export FILE [--category NAME | --favorites] [--db PATH]\n"
    "       orvik-catalogue stats [--db PATH]\n"
    "import: stations already in their category (same address) are left out; --by-group\n"
    "  files each station under its group, and --category names where the others go.\n"
    "export: the format follows FILE's extension (.m3u, .m3u8, .pls, .xspf).\n";

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout), err(stderr);
    const QString name = args.value(0);
    if (name == u"help" || name == u"--help" || name == u"-h") {
        out << usage;
        return 0;
    }
    int code = 1;
    try {
        if (name == u"import")
            code = importCommand(args.mid(1), out);
        else if (name == u"export")
            code = exportCommand(args.mid(1), out);
        else if (name == u"stats")
            code = statsCommand(args.mid(1), out);
        else
            throw CatalogueUsageError();
    } catch (const CatalogueUsageError&) {
        out.flush();
        err << usage;
        code = 2;
    } catch (const std::exception& e) {
        out.flush();
        err << "orvik-catalogue: " << QString::fromUtf8(e.what()) << "\n";
        code = 1;
    }
    return code;
}
