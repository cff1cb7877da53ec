// The limits a skin definition must keep, checked on its text before it is parsed and on the
// parsed sections before anything is built.
#include "skin/data/SkinBuilder.h"

#include "skin/data/QuickIni.h"

#include <cstring>

bool TSkinBuilder::IsColourSection(const QString& name) {
    const QString upper = name.toUpper();
    return upper.startsWith(QLatin1String("COLOUR")) && upper != QLatin1String("COLOURS");
}

bool TSkinBuilder::IsCaptionButtonSection(const TQuickIni& ini, const QString& section) {
    const QString upper = section.toUpper();
    if (!upper.startsWith(QLatin1String("BUTTON")))
        return false;
    for (const char* excluded : {"BUTTON", "BUTTONS", "BUTTON.RADIO", "BUTTON.CHECKBOX"}) {
        if (upper == QLatin1String(excluded))
            return false;
    }
    const qint32 action = ini.ReadInteger(section, QStringLiteral("Action"), 0);
    const qint32 visibility = ini.ReadInteger(section, QStringLiteral("Visibility"), -1);
    return !(action == -1 && visibility != 0);
}

namespace {

[[noreturn]] void refuseButtons(qsizetype count, const char* what) {
    throw ESkinRefused(QStringLiteral("The skin defines %1 %2; a skin may have at most %3.")
                           .arg(count)
                           .arg(QLatin1String(what))
                           .arg(TSkinBuilder::MaxCaptionButtons));
}

[[noreturn]] void refuseColours(qsizetype count) {
    throw ESkinRefused(QStringLiteral("The skin defines %1 colour-table entries; a skin may "
                                      "have at most %2.")
                           .arg(count)
                           .arg(TSkinBuilder::MaxColourTable));
}

bool startsWithUpper(QByteArrayView name, const char* prefix) {
    const qsizetype n = qsizetype(std::strlen(prefix));
    if (name.size() < n)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        char c = name[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool equalsUpper(QByteArrayView name, const char* text) {
    return name.size() == qsizetype(std::strlen(text)) && startsWithUpper(name, text);
}

} // namespace

void TSkinBuilder::CheckDefinitionText(QByteArrayView text) {
    // Lines and headers as the definition reader finds them: a line ends at CR, LF or NUL, a
    // NUL ends the text, characters up to the space are trimmed, "[...]" is a header.
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text = text.first(nul);
    qsizetype buttons = 0;
    qsizetype colours = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        const char* a = p;
        const char* b = lineEnd;
        while (a < b && uchar(*a) <= 32)
            ++a;
        while (b > a && uchar(b[-1]) <= 32)
            --b;
        if (b - a >= 2 && *a == '[' && b[-1] == ']') {
            const char* na = a + 1;
            const char* nb = b - 1;
            while (na < nb && uchar(*na) <= 32)
                ++na;
            while (nb > na && uchar(nb[-1]) <= 32)
                --nb;
            const QByteArrayView name(na, nb - na);
            if (startsWithUpper(name, "COLOUR") && !equalsUpper(name, "COLOURS"))
                ++colours;
            else if (startsWithUpper(name, "BUTTON") && !equalsUpper(name, "BUTTON") &&
                     !equalsUpper(name, "BUTTONS") && !equalsUpper(name, "BUTTON.RADIO") &&
                     !equalsUpper(name, "BUTTON.CHECKBOX"))
                ++buttons;
        }
        p = lineEnd;
        if (p < end && *p == '\r')
            ++p;
        if (p < end && *p == '\n')
            ++p;
    }
    if (colours > MaxColourTable)
        refuseColours(colours);
    if (buttons > MaxCaptionButtons)
        refuseButtons(buttons, "caption button sections");
}

void TSkinBuilder::checkCounts() const {
    int buttons = 0;
    int colours = 0;
    for (const QString& name : sections_) {
        if (IsColourSection(name))
            ++colours;
        else if (IsCaptionButtonSection(ini_, name))
            ++buttons;
    }
    if (buttons > MaxCaptionButtons)
        refuseButtons(buttons, "caption buttons");
    if (colours > MaxColourTable)
        refuseColours(colours);
}
