#pragma once

#include <QString>
#include <QStringView>

namespace orvik {

// A text as type-to-find compares it: case folded and without accents, so that "cafe" and
// "CAFÉ" both find "Café". Letters are decomposed and their combining marks dropped; ASCII text
// (the usual case) takes a fast path.
QString foldForFind(QStringView text);

} // namespace orvik
