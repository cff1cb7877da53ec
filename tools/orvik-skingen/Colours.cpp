#include "tools/orvik-skingen/Colours.h"

#include <algorithm>
#include <cmath>

namespace skingen {

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto blend = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(blend(a.red(), b.red()), blend(a.green(), b.green()), blend(a.blue(), b.blue()));
}

QColor shade(const QColor& c, double amount) {
    return amount >= 0 ? mix(c, Qt::white, amount) : mix(c, Qt::black, -amount);
}

QColor saturate(const QColor& c, double factor) {
    float h, s, l;
    c.getHslF(&h, &s, &l);
    return QColor::fromHslF(h < 0 ? 0 : h, std::clamp(float(s * factor), 0.0f, 1.0f), l).toRgb();
}

double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double worstContrast(const QColor& fg, const QList<QColor>& backgrounds) {
    double worst = 21.0;
    for (const QColor& bg : backgrounds)
        worst = std::min(worst, contrast(fg, bg));
    return worst;
}

QColor readableOn(const QColor& preferred, const QList<QColor>& backgrounds, double target) {
    if (worstContrast(preferred, backgrounds) >= target)
        return preferred;
    // Walk towards both ends in small steps and keep whichever gets there first.
    for (int step = 1; step <= 50; ++step) {
        const double t = step / 50.0;
        const QColor lighter = mix(preferred, Qt::white, t);
        const QColor darker = mix(preferred, Qt::black, t);
        const double cl = worstContrast(lighter, backgrounds);
        const double cd = worstContrast(darker, backgrounds);
        if (cl >= target || cd >= target)
            return cl >= cd ? lighter : darker;
    }
    const QColor white(Qt::white), black(Qt::black);
    return worstContrast(white, backgrounds) >= worstContrast(black, backgrounds) ? white : black;
}

} // namespace skingen
