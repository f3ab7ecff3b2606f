#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace qv::picmenu {

// A checker of single pixels in two colours, anchored at the painter's origin: the pixel (x, y)
// has the fore colour where x + y is even and the back colour where it is odd.
class DottedBrush {
public:
    static void fill(QPainter& painter, const QRect& rect, const QColor& back, const QColor& fore);
};

}  // namespace qv::picmenu
