#include "picmenu/edges.h"

#include <QPainter>

namespace qv::picmenu {

void drawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft,
              const QColor& bottomRight, int sides) {
    if (rect.isEmpty())
        return;
    const int left = rect.left();
    const int top = rect.top();
    const int width = rect.width();
    const int height = rect.height();
    if (sides & kTopEdge)
        painter.fillRect(left, top, width, 1, topLeft);
    if (sides & kLeftEdge)
        painter.fillRect(left, top, 1, height, topLeft);
    if (sides & kBottomEdge)
        painter.fillRect(left, rect.bottom(), width, 1, bottomRight);
    if (sides & kRightEdge)
        painter.fillRect(rect.right(), top, 1, height, bottomRight);
}

}  // namespace qv::picmenu
