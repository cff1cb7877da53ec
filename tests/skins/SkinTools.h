#pragma once

// The build's own programs and packages, for the skin tests: where they are, running one,
// reading a package and loading a skin as the program does.

#include "skin/data/SkinData.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace skintest {

QString buildDir();
QString sourceDir();

struct Result {
    int code = -1; // -1: the program did not finish normally
    QString out, err;
};
// Runs a program of the build folder (on the offscreen platform) and waits for it.
Result run(const QString& program, const QStringList& args);

// The built package of one of our skins.
QString packagePath(const QString& name);
QByteArray readFile(const QString& path);
// A skin loaded through TSkinData; what the loader reports is appended to problem.
std::unique_ptr<TSkinData> loadSkin(const QString& path, QString* problem);

} // namespace skintest
