#include "app/forms/RealMediaAddress.h"

namespace orvik {

QString addressPath(const QString& address) {
    QString path = address;
    const qsizetype scheme = path.indexOf(QStringLiteral("://"));
    if (scheme >= 0) {
        const qsizetype slash = path.indexOf(u'/', scheme + 3);
        // Nothing after the host, or a query straight after it: no path.
        const qsizetype query = path.indexOf(u'?', scheme + 3);
        const qsizetype fragment = path.indexOf(u'#', scheme + 3);
        qsizetype end = slash;
        for (qsizetype cut : {query, fragment})
            if (cut >= 0 && (end < 0 || cut < end))
                return QString();
        path = end < 0 ? QString() : path.mid(end);
    }
    for (QChar stop : {u'?', u'#'}) {
        const qsizetype cut = path.indexOf(stop);
        if (cut >= 0)
            path.truncate(cut);
    }
    return path;
}

bool IsRealMedia(const QString& address) {
    QString path = addressPath(address);
    // Only the letters a to z are turned to capitals; other characters stay as they are.
    for (QChar& c : path)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    static const char16_t* const markers[] = {u".RM", u".RT", u".RA", u".RMVB", u".RP", u".RV"};
    for (const char16_t* m : markers)
        if (path.contains(QStringView(m)))
            return true;
    return false;
}

} // namespace orvik
