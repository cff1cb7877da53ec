#pragma once

#include <QString>

namespace orvik {

// The folder of the executable, with a trailing separator. data.db, settings.ini, skins/ and
// links.htm are found here, never through the working directory. Tests may point it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

} // namespace orvik
