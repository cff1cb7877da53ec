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

} // namespace orvik
