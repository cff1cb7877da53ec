#include "tools/orvik-skingen/SkinBuild.h"

#include "skin/data/SkinObjects.h"
#include "tools/orvik-skingen/Canvas.h"

#include <QSet>

namespace skingen {

QString Section::value(const QString& key) const {
    for (const auto& kv : m_keys)
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0)
            return kv.second;
    return {};
}

void Section::set(const QString& key, const QString& value) {
    for (auto& kv : m_keys) {
        if (kv.first.compare(key, Qt::CaseInsensitive) == 0) {
            kv.second = value;
            return;
        }
    }
    m_keys.append({key, value});
}

void Section::setColour(const QString& key, const QColor& c) {
    set(key, QStringLiteral("%1 %2 %3").arg(c.red()).arg(c.green()).arg(c.blue()));
}

void Section::setMargins(const QMargins& m) {
    set(QStringLiteral("LeftWidth"), m.left());
    set(QStringLiteral("TopHeight"), m.top());
    set(QStringLiteral("RightWidth"), m.right());
    set(QStringLiteral("BottomHeight"), m.bottom());
}

QString SkinBuild::addPicture(const QString& file, const QImage& image) {
    Q_ASSERT(!image.isNull());
    for (auto& pic : m_pictures) {
        if (pic.file == file) {
            pic.image = image;
            return file;
        }
    }
    m_pictures.append({file, image.convertToFormat(QImage::Format_RGB32)});
    return file;
}

Section& SkinBuild::section(const QString& name) {
    for (auto& s : m_sections)
        if (s.name() == name)
            return s;
    m_sections.emplace_back(name);
    return m_sections.back();
}

void SkinBuild::addGround(const char* role, const QImage& image, const QRect& area) {
    QList<QColor>& list = m_grounds[QString::fromLatin1(role)];
    QSet<QRgb> seen;
    for (const QColor& c : list)
        seen.insert(c.rgb());
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb px = image.pixel(x, y) | 0xFF000000u;
            if (px == Magenta.rgb() || seen.contains(px))
                continue;
            seen.insert(px);
            list.append(QColor::fromRgb(px));
        }
    }
}

void SkinBuild::addGround(const char* role, const QColor& colour) {
    m_grounds[QString::fromLatin1(role)].append(colour);
}

QRect frameRect(const QImage& strip, int count, int n, Qt::Orientation orientation) {
    return orvik::FrameRect(strip.size(), count, n,
                            orientation == Qt::Horizontal ? TCellLayout::SideBySide
                                                          : TCellLayout::Stacked);
}

} // namespace skingen
