// SPDX-License-Identifier: GPL-3.0-or-later
#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace orvanta::icons {

namespace {

// Drawn on a 16 x 16 grid at any size, so the icons stay sharp at every scale.
template <typename Draw> QIcon paintedIcon(Draw draw)
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawDocument(QPainter& p, const QColor& fill, const QColor& edge)
{
    QPainterPath page;
    page.moveTo(3, 1);
    page.lineTo(10, 1);
    page.lineTo(13.5, 4.5);
    page.lineTo(13.5, 15);
    page.lineTo(3, 15);
    page.closeSubpath();
    p.setPen(QPen(edge, 0.9));
    p.setBrush(fill);
    p.drawPath(page);
    p.setBrush(edge);
    p.drawPolygon(QPolygonF{{10, 1}, {10, 4.5}, {13.5, 4.5}});
    p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap));
    for (const double y : {7.0, 9.5, 12.0})
        p.drawLine(QPointF(5, y), QPointF(11.5, y));
}

void drawWand(QPainter& p)
{
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2.5, 13.5), QPointF(9.5, 6.5));
    p.setPen(QPen(QColor(0xd3, 0x2f, 0x2f), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 6.5), QPointF(11.5, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    auto star = [&p](double cx, double cy, double r) {
        QPolygonF points;
        for (int i = 0; i < 8; ++i) {
            const double radius = i % 2 == 0 ? r : r * 0.35;
            const double angle = i * 3.14159265 / 4;
            points << QPointF(cx + radius * std::sin(angle), cy - radius * std::cos(angle));
        }
        p.drawPolygon(points);
    };
    star(12.5, 2.5, 2.5);
    star(6, 3, 1.6);
    star(13.5, 9, 1.6);
}

} // namespace

QIcon document()
{
    return paintedIcon([](QPainter& p) { drawDocument(p, QColor(0x43, 0xa0, 0x47), QColor(0x1b, 0x5e, 0x20)); });
}

QIcon wand()
{
    return paintedIcon(drawWand);
}

QIcon app()
{
    return paintedIcon([](QPainter& p) {
        drawDocument(p, QColor(0xd3, 0x2f, 0x2f), QColor(0x8e, 0x1b, 0x1b));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x00, 0x00, 0x40));
        p.drawRoundedRect(QRectF(1, 9, 8, 6), 1.2, 1.2);
        p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 10.5), QPointF(5, 13.5));
        p.drawLine(QPointF(3.5, 12), QPointF(5, 13.5));
        p.drawLine(QPointF(6.5, 12), QPointF(5, 13.5));
    });
}

} // namespace orvanta::icons
