#include "app/catalogue/FindText.h"

namespace orvik {

QString foldForFind(QStringView text) {
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        QString out(text.size(), Qt::Uninitialized);
        QChar* o = out.data();
        for (QChar c : text) {
            const char16_t u = c.unicode();
            *o++ = QChar(u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u);
        }
        return out;
    }
    // Compatibility decomposition also splits ligatures and full-width forms ("ﬁ", "Ａ").
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            out.append(c);
        }
    }
    return out.toCaseFolded();
}

void appendFoldedUtf8(QString& out, const char* utf8, qsizetype size) {
    // Runs of ASCII are folded byte by byte; the runs between them (whole UTF-8 sequences,
    // every byte of which is past 0x7f) take the full path. Both parts fold alone as they do
    // in the whole text: ASCII letters neither decompose nor take combining marks into their
    // order, and case folding looks at one letter at a time.
    const auto* bytes = reinterpret_cast<const uchar*>(utf8);
    qsizetype i = 0;
    while (i < size) {
        qsizetype end = i;
        if (bytes[i] < 0x80) {
            while (end < size && bytes[end] < 0x80)
                ++end;
            const qsizetype at = out.size();
            out.resize(at + (end - i));
            QChar* o = out.data() + at;
            for (qsizetype k = i; k < end; ++k) {
                const uchar b = bytes[k];
                *o++ = QChar(char16_t(b >= 'A' && b <= 'Z' ? b + 32 : b));
            }
        } else {
            while (end < size && bytes[end] >= 0x80)
                ++end;
            out += foldForFind(QString::fromUtf8(utf8 + i, end - i));
        }
        i = end;
    }
}

} // namespace orvik
