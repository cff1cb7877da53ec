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
    const auto* bytes = reinterpret_cast<const uchar*>(utf8);
    bool ascii = true;
    for (qsizetype i = 0; i < size && ascii; ++i)
        ascii = bytes[i] < 0x80;
    if (!ascii) {
        out += foldForFind(QString::fromUtf8(utf8, size));
        return;
    }
    const qsizetype at = out.size();
    out.resize(at + size);
    QChar* o = out.data() + at;
    for (qsizetype i = 0; i < size; ++i) {
        const uchar b = bytes[i];
        *o++ = QChar(char16_t(b >= 'A' && b <= 'Z' ? b + 32 : b));
    }
}

} // namespace orvik
