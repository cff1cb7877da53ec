#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"

TColor TSkinData::ParseColour(const QString& text) {
    if (text.isEmpty())
        return 0;
    const QString trimmed = orvik::TrimControl(text);
    int stored[3] = {0, 0, 0};
    int count = 0;
    int number = 0; // kept modulo 256: only the low byte counts
    bool collecting = false;
    for (const QChar c : trimmed) {
        if (c >= u'0' && c <= u'9') {
            number = (number * 10 + (c.unicode() - u'0')) % 256;
            collecting = true;
        } else if (collecting) {
            // Room for three numbers; a fourth and later are ignored.
            if (count < 3)
                stored[count] = number;
            ++count;
            number = 0;
            collecting = false;
        }
    }
    if (count == 2)
        stored[2] = number;
    return orvik::RGBColour(stored[0], stored[1], stored[2]);
}

TColor TSkinData::ReadColour(const TQuickIni& ini, const QString& section, const QString& key,
                             TColor def) {
    const QString text = ini.ReadString(section, key, QString());
    return text.isEmpty() ? def : ParseColour(text);
}

void TSkinData::ReadRGB(const TQuickIni& ini, const QString& section, const QString& name,
                        TColor& target) {
    const qint32 r = ini.ReadInteger(section, name + QLatin1Char('R'), -1);
    const qint32 g = ini.ReadInteger(section, name + QLatin1Char('G'), -1);
    const qint32 b = ini.ReadInteger(section, name + QLatin1Char('B'), -1);
    if (r >= 0 && g >= 0 && b >= 0)
        target = orvik::RGBColour(r, g, b);
}
