#pragma once

#include <QString>

namespace orvik {

// The folder of the executable, with a trailing separator; never the working directory. Where
// the program's files are, in or away from this folder, is core/ProgramFiles.h. Tests may
// point it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

} // namespace orvik
