// orvik-skingen: draws a skin from its parameter set.
//
//   orvik-skingen PARAMS.json OUTDIR     writes the skin's BMP pictures and definition INI
//   orvik-skingen --stream IN.skn OUT    writes IN as a stored skin stream (length + package)

#include "skin/data/SkinReader.h"
#include "tools/orvik-skingen/SkinGenerator.h"
#include "tools/orvik-skingen/SkinParams.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// Skin packages are a few hundred kilobytes; this bound only keeps a wrong file out.
constexpr qint64 MaxPackageSize = 64 * 1024 * 1024;

int fail(const QString& message) {
    std::fprintf(stderr, "orvik-skingen: %s\n", qPrintable(message));
    return 1;
}

int writeStream(const QString& in, const QString& outPath) {
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(in, file.errorString()));
    if (file.size() < 4 || file.size() > MaxPackageSize)
        return fail(QStringLiteral("%1: not a skin package (size %2)").arg(in).arg(file.size()));
    const QByteArray package = file.readAll();
    // Only a package the program can read is worth storing.
    TSkinReader reader;
    if (!reader.LoadPackage(package))
        return fail(QStringLiteral("%1: %2").arg(in, reader.ErrorText()));
    QSaveFile out(outPath);
    const QByteArray bytes = TSkinReader::WriteSkinStream(package);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return fail(QStringLiteral("%1: %2").arg(outPath, out.errorString()));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--stream"))
        return writeStream(args[1], args[2]);
    if (args.size() != 2 || args[0].startsWith(QLatin1Char('-')))
        return fail(QStringLiteral("usage: orvik-skingen PARAMS.json OUTDIR\n"
                                   "       orvik-skingen --stream IN.skn OUT"));
    skingen::SkinParams params;
    QString error;
    if (!skingen::loadSkinParams(args[0], params, error))
        return fail(error);
    const skingen::SkinBuild skin = skingen::generateSkin(params);
    if (!skin.problems().isEmpty())
        return fail(
            QStringLiteral("%1: %2").arg(args[0], skin.problems().join(QStringLiteral("; "))));
    if (!skingen::writeSkin(skin, args[1], error))
        return fail(error);
    return 0;
}
