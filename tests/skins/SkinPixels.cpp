#include "tests/skins/SkinPixels.h"

#include "skin/data/NineSlice.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace skintest {

QRect centreOf(const TDataSkinObject& e, int k) {
    return e.FrameRect(k).marginsRemoved(e.Margins());
}

QList<QColor> coloursIn(const QImage& image, const QRect& area) {
    QList<QColor> list;
    QSet<QRgb> seen;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb px = image.pixel(x, y) | 0xFF000000u;
            if (!orvik::IsSeeThrough(px) && !seen.contains(px)) {
                seen.insert(px);
                list.append(QColor::fromRgb(px));
            }
        }
    return list;
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

double worstContrast(const QColor& ink, const QList<QColor>& grounds) {
    double worst = 21;
    for (const QColor& g : grounds)
        worst = std::min(worst, contrast(ink, g));
    return worst;
}

QColor rgbOf(TColor c) {
    return QColor(orvik::RedOf(c), orvik::GreenOf(c), orvik::BlueOf(c));
}

double meanDifference(const QImage& image, const QRect& a, const QRect& b) {
    if (a.size() != b.size() || a.isEmpty())
        return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = image.pixel(a.topLeft() + QPoint(x, y));
            const QRgb q = image.pixel(b.topLeft() + QPoint(x, y));
            sum += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return sum / (a.width() * a.height());
}

double meanLuminance(const QImage& image, const QRect& area) {
    double sum = 0;
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (orvik::IsSeeThrough(px))
                continue;
            sum += luminance(QColor::fromRgb(px));
            ++n;
        }
    return n ? sum / n : 0;
}

} // namespace skintest
