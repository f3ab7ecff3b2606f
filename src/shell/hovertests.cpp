#include "shell/hovertests.h"

#include <cmath>

namespace qv::shell::hover {

namespace {

// Pointer positions come from whole pixels times a twips factor that need not be exact in
// binary; a bound hit exactly must not fall either side of it by rounding.
constexpr double kSlack = 1e-6;

bool within(double value, double centre, double reach) {
    return std::abs(value - centre) <= reach + kSlack;
}

}  // namespace

int shapeAt(const std::vector<CanvasShape*>& pool, QPointF point) {
    // Searched from the top, which is what testing all and keeping the last hit gives.
    for (int i = int(pool.size()) - 1; i >= 0; --i) {
        const CanvasShape* shape = pool[i];
        if (!shape->isVisible())
            continue;
        if (point.x() > shape->left() + kSlack &&
            point.x() < shape->left() + shape->width() - kSlack &&
            point.y() > shape->top() + kSlack &&
            point.y() < shape->top() + shape->height() - kSlack)
            return i;
    }
    return -1;
}

QPointF midpoint(const CanvasLine& line) {
    return {(line.x2() - line.x1()) / 2 + line.x1(), (line.y2() - line.y1()) / 2 + line.y1()};
}

int lineAt(const std::vector<CanvasLine*>& pool, QPointF point, double twipsPerPixelX,
           double twipsPerPixelY) {
    const double endX = 10 * twipsPerPixelX;
    const double endY = 10 * twipsPerPixelY;
    const double midX = 20 * twipsPerPixelX;
    const double midY = 20 * twipsPerPixelY;
    for (int i = int(pool.size()) - 1; i >= 0; --i) {
        const CanvasLine* line = pool[i];
        if (!line->isVisible())
            continue;
        const QPointF mid = midpoint(*line);
        const bool start =
            within(point.x(), line->x1(), endX) && within(point.y(), line->y1(), endY);
        const bool middle = within(point.x(), mid.x(), midX) && within(point.y(), mid.y(), midY);
        const bool end = within(point.x(), line->x2(), endX) && within(point.y(), line->y2(), endY);
        if (start || middle || end)
            return i;
    }
    return -1;
}

}  // namespace qv::shell::hover
