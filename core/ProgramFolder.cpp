#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace orvik {
namespace {
QString overridden;
}

QString programFolder() {
    QString dir = overridden.isEmpty() ? QCoreApplication::applicationDirPath() : overridden;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

void setProgramFolder(const QString& folder) {
    overridden = folder;
}

} // namespace orvik
