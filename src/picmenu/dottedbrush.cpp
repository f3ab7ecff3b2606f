#include "picmenu/dottedbrush.h"

#include <QBrush>
#include <QImage>
#include <QPainter>

namespace qv::picmenu {

void DottedBrush::fill(QPainter& painter, const QRect& rect, const QColor& back,
                       const QColor& fore) {
    QImage pattern(2, 2, QImage::Format_RGB32);
    pattern.setPixel(0, 0, fore.rgb());
    pattern.setPixel(1, 1, fore.rgb());
    pattern.setPixel(1, 0, back.rgb());
    pattern.setPixel(0, 1, back.rgb());
    const QPointF origin = painter.brushOrigin();
    painter.setBrushOrigin(0, 0);
    painter.fillRect(rect, QBrush(pattern));
    painter.setBrushOrigin(origin);
}

}  // namespace qv::picmenu
