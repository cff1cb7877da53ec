#include "app/forms/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace orvik {
namespace {

QPixmap canvas(int w, int h) {
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    return pm;
}

QPixmap documentIcon(QColor band) {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath page;
    page.moveTo(3, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13.5, 5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3, 14.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(QColor(250, 250, 252));
    p.drawPath(page);
    p.setBrush(QColor(210, 214, 222));
    p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(10, 5), QPointF(13.5, 5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRoundedRect(QRectF(4.5, 7, 7.5, 6), 1, 1);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(7, 8.3), QPointF(7, 11.7), QPointF(10, 10)}));
    return pm;
}

QPixmap starIcon() {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? 3.2 : 7.2;
        const double a = -M_PI / 2 + i * M_PI / 5;
        star << QPointF(8 + r * qCos(a), 8.4 + r * qSin(a));
    }
    QLinearGradient g(0, 1, 0, 15);
    g.setColorAt(0, QColor(255, 226, 90));
    g.setColorAt(1, QColor(230, 160, 20));
    p.setBrush(g);
    p.setPen(QPen(QColor(160, 110, 10), 0.8));
    p.drawPolygon(star);
    return pm;
}

QPixmap globeIcon() {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(6, 5, 9);
    g.setColorAt(0, QColor(150, 210, 255));
    g.setColorAt(1, QColor(30, 100, 190));
    p.setBrush(g);
    p.setPen(QPen(QColor(20, 70, 140), 0.8));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(QColor(235, 245, 255, 200), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
    p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
    return pm;
}

QPixmap folderIcon() {
    QPixmap pm = canvas(16, 16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(170, 120, 20), 0.8));
    p.setBrush(QColor(240, 190, 60));
    p.drawRoundedRect(QRectF(1.5, 3, 6, 3), 1, 1);
    QLinearGradient g(0, 4, 0, 14);
    g.setColorAt(0, QColor(255, 225, 120));
    g.setColorAt(1, QColor(240, 180, 40));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9.5), 1.2, 1.2);
    return pm;
}

QIcon glyph(bool square) {
    QIcon icon;
    for (bool enabled : {true, false}) {
        QPixmap pm = canvas(16, 16);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 2, 0, 14);
        g.setColorAt(0, enabled ? QColor(90, 150, 255) : QColor(190, 190, 190));
        g.setColorAt(1, enabled ? QColor(20, 60, 190) : QColor(130, 130, 130));
        p.setBrush(g);
        p.setPen(QPen(enabled ? QColor(10, 40, 130) : QColor(110, 110, 110), 0.8));
        if (square)
            p.drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
        else
            p.drawPolygon(QPolygonF({QPointF(4, 2.5), QPointF(4, 13.5), QPointF(13.5, 8)}));
        p.end();
        icon.addPixmap(pm, enabled ? QIcon::Normal : QIcon::Disabled);
    }
    return icon;
}

} // namespace

QList<QIcon> stationImages() {
    return {QIcon(documentIcon(QColor(40, 110, 220))), QIcon(documentIcon(QColor(200, 50, 50))),
            QIcon(starIcon()), QIcon(globeIcon()), QIcon(folderIcon())};
}

QIcon playGlyph() {
    return glyph(false);
}

QIcon stopGlyph() {
    return glyph(true);
}

QPixmap splashPicture() {
    QPixmap pm(496, 358);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, 358);
    bg.setColorAt(0, QColor(16, 28, 52));
    bg.setColorAt(1, QColor(6, 10, 20));
    p.fillRect(pm.rect(), bg);
    // Broadcast rings behind the mark.
    for (int i = 5; i >= 1; --i) {
        p.setPen(QPen(QColor(80, 150, 255, 22 + 14 * (5 - i)), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(140, 160), 40.0 * i, 40.0 * i);
    }
    // A screen with a play mark.
    QRectF screen(90, 115, 100, 72);
    QLinearGradient sg(screen.topLeft(), screen.bottomRight());
    sg.setColorAt(0, QColor(70, 140, 255));
    sg.setColorAt(1, QColor(20, 60, 170));
    p.setPen(QPen(QColor(200, 225, 255), 3));
    p.setBrush(sg);
    p.drawRoundedRect(screen, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawPolygon(QPolygonF({QPointF(128, 135), QPointF(128, 167), QPointF(157, 151)}));
    p.setPen(QPen(QColor(200, 225, 255), 3));
    p.drawLine(QPointF(125, 190), QPointF(120, 205));
    p.drawLine(QPointF(155, 190), QPointF(160, 205));
    p.drawLine(QPointF(112, 205), QPointF(168, 205));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(64);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 242, 255));
    p.drawText(QRectF(230, 110, 250, 80), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Orvik"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(16);
    p.setFont(sub);
    p.setPen(QColor(150, 180, 230));
    p.drawText(QRectF(234, 185, 250, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Internet TV and radio"));
    sub.setPixelSize(12);
    p.setFont(sub);
    p.setPen(QColor(110, 130, 170));
    p.drawText(QRectF(0, 320, 496, 24), Qt::AlignCenter,
               QStringLiteral("Loading the catalogue..."));
    return pm;
}

} // namespace orvik
