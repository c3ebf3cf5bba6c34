#include "program_emblem.h"

#include <QPainter>
#include <QPainterPath>

QPixmap programEmblem(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x4e, 0x79));
    painter.drawRoundedRect(QRectF(0, 0, 64, 64), 10, 10);

    QPainterPath hull;
    hull.moveTo(8, 26);
    hull.lineTo(56, 26);
    hull.lineTo(50, 44);
    hull.lineTo(14, 44);
    hull.closeSubpath();
    painter.setBrush(QColor(0xe8, 0xec, 0xf0));
    painter.drawPath(hull);
    painter.drawRect(QRectF(34, 17, 12, 9));

    painter.setBrush(QColor(0x4a, 0x9c, 0xd6));
    painter.drawRect(QRectF(4, 38, 56, 22));

    // The draft marks on the bow, read at the waterline.
    painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 1.6));
    for (int mark = 0; mark < 4; ++mark)
        painter.drawLine(QPointF(49, 29 + mark * 4), QPointF(53, 29 + mark * 4));
    return pixmap;
}
