#include "PaintedPixmap.h"

#include <QPainter>

QPixmap PaintPixmap(int side, const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    paint(painter);
    return pixmap;
}
