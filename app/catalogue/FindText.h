#pragma once

#include <QString>
#include <QStringView>

namespace orvik {

// A text as type-to-find compares it: case folded and without accents, so that "cafe" and
// "CAFÉ" both find "Café". Letters are decomposed and their combining marks dropped; ASCII text
// (the usual case) takes a fast path.
QString foldForFind(QStringView text);

// Appends the folded form of UTF-8 text to out, as foldForFind(QString::fromUtf8(...)) would
// give it; ASCII bytes are folded straight into out without a text of their own in between.
void appendFoldedUtf8(QString& out, const char* utf8, qsizetype size);

} // namespace orvik
