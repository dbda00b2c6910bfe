#include "WindowFit.h"

QSize FitWindowSize(const QSize& wanted, const QSize& room, int scrollBarExtent) {
    bool cutHeight = wanted.height() > room.height();
    bool cutWidth = wanted.width() > room.width();
    // The bar one direction needs can push the other over the room as well.
    if (cutHeight && !cutWidth && wanted.width() + scrollBarExtent > room.width())
        cutWidth = true;
    if (cutWidth && !cutHeight && wanted.height() + scrollBarExtent > room.height())
        cutHeight = true;
    QSize size = wanted;
    if (cutHeight)
        size.rwidth() += scrollBarExtent;
    if (cutWidth)
        size.rheight() += scrollBarExtent;
    return size.boundedTo(room).expandedTo(QSize(0, 0));
}
