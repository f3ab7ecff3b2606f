#include "toolkit/outlinepixels.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace qv::toolkit {

std::vector<int> dashPattern(CanvasShape::BorderStyle style) {
    switch (style) {
        case CanvasShape::Dash:
            return {4, 2};
        case CanvasShape::Dot:
            return {1, 2};
        case CanvasShape::DashDot:
            return {4, 2, 1, 2};
        case CanvasShape::DashDotDot:
            return {4, 2, 1, 2, 1, 2};
        default:
            return {};
    }
}

bool isPatterned(CanvasShape::BorderStyle style) {
    return style == CanvasShape::Dash || style == CanvasShape::Dot ||
           style == CanvasShape::DashDot || style == CanvasShape::DashDotDot;
}

void drawOutline(QPainter& painter, CanvasShape::Shape shape, const QRect& box) {
    const QRect outline = box.adjusted(0, 0, -1, -1);
    if (shape == CanvasShape::Oval || shape == CanvasShape::Circle) {
        painter.drawEllipse(outline);
    } else if (shape == CanvasShape::RoundedRectangle || shape == CanvasShape::RoundedSquare) {
        const qreal radius = std::min(outline.width(), outline.height()) / 6.0;
        painter.drawRoundedRect(outline, radius, radius);
    } else {
        painter.drawRect(outline);
    }
}

namespace {

Qt::PenStyle penStyle(CanvasShape::BorderStyle style) {
    switch (style) {
        case CanvasShape::Dash:
            return Qt::DashLine;
        case CanvasShape::Dot:
            return Qt::DotLine;
        case CanvasShape::DashDot:
            return Qt::DashDotLine;
        case CanvasShape::DashDotDot:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

// Adds a pixel, lengthening the last run when the pixel continues it along a row or a column.
void addPixel(std::vector<QRect>& runs, QPoint at) {
    if (!runs.empty()) {
        QRect& last = runs.back();
        if (last.height() == 1 && last.top() == at.y()) {
            if (last.right() + 1 == at.x())
                return last.setRight(at.x());
            if (last.left() - 1 == at.x())
                return last.setLeft(at.x());
        }
        if (last.width() == 1 && last.left() == at.x()) {
            if (last.bottom() + 1 == at.y())
                return last.setBottom(at.y());
            if (last.top() - 1 == at.y())
                return last.setTop(at.y());
        }
    }
    runs.emplace_back(at, QSize(1, 1));
}

// A rectangle's border, walked clockwise from the top-left corner with the pattern running on
// round the corners; cheap enough to follow a band at every move of a drag.
std::vector<QRect> rectangleOutline(const std::vector<int>& pattern, QSize size) {
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;
    std::vector<QPoint> walk;
    walk.reserve(2 * (size.width() + size.height()));
    for (int x = 0; x <= right; ++x)
        walk.emplace_back(x, 0);
    for (int y = 1; y <= bottom; ++y)
        walk.emplace_back(right, y);
    for (int x = right - 1; x >= 0 && bottom > 0; --x)
        walk.emplace_back(x, bottom);
    for (int y = bottom - 1; y >= 1 && right > 0; --y)
        walk.emplace_back(0, y);
    std::vector<QRect> runs;
    size_t part = 0;
    int left = pattern[0];
    for (const QPoint& at : walk) {
        if (part % 2 == 0)
            addPixel(runs, at);
        if (--left == 0) {
            part = (part + 1) % pattern.size();
            left = pattern[part];
        }
    }
    return runs;
}

// Any other figure as Qt's pen draws it whole, with nothing to clip it.
std::vector<QRect> drawnOutline(CanvasShape::Shape shape, CanvasShape::BorderStyle style,
                                QSize size) {
    constexpr int margin = 2;
    QImage scratch(size + QSize(2 * margin, 2 * margin), QImage::Format_Alpha8);
    scratch.fill(0);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black, 0, penStyle(style));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        drawOutline(painter, shape, QRect(QPoint(margin, margin), size));
    }
    std::vector<QRect> runs;
    for (int y = 0; y < scratch.height(); ++y) {
        const uchar* line = scratch.constScanLine(y);
        const uchar* end = line + scratch.width();
        for (const uchar* at = std::find_if(line, end, [](uchar a) { return a != 0; });
             at != end;) {
            const uchar* stop = std::find(at, end, uchar(0));
            runs.emplace_back(int(at - line) - margin, y - margin, int(stop - at), 1);
            at = std::find_if(stop, end, [](uchar a) { return a != 0; });
        }
    }
    return runs;
}

}  // namespace

std::vector<QRect> patternedOutline(CanvasShape::Shape shape, CanvasShape::BorderStyle style,
                                    QSize size) {
    const std::vector<int> pattern = dashPattern(style);
    if (pattern.empty() || size.isEmpty())
        return {};
    if (shape == CanvasShape::Rectangle || shape == CanvasShape::Square)
        return rectangleOutline(pattern, size);
    return drawnOutline(shape, style, size);
}

}  // namespace qv::toolkit
