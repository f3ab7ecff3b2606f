#include "objects/lines.h"

#include <algorithm>
#include <cmath>

#include "objects/adding.h"
#include "objects/state.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::objects {

namespace {

// The head's angles are worked with this value of pi, not a more exact one: the head's
// end points are fixed to the hundredth of a twip with it.
constexpr double kPi = 3.141592654;

void styleLine(CanvasLine& line, const QColor& color, CanvasShape::BorderStyle style, int width) {
    line.setBorderColor(color);
    line.setBorderStyle(style);
    line.setBorderWidth(width);
}

void applyDefaults(CanvasLine& line, const LineDefaults& record) {
    if (record.borderColor)
        line.setBorderColor(toolkit::colorFromValue(*record.borderColor));
    if (record.borderStyle)
        line.setBorderStyle(CanvasShape::BorderStyle(std::clamp<int>(*record.borderStyle, 0, 6)));
    if (record.borderWidth)
        line.setBorderWidth(rememberedWidth(*record.borderWidth));
}

}  // namespace

ArrowHead arrowHead(double x1, double y1, double x2, double y2, double twipsPerPixelX) {
    ArrowHead head{x2, {}, {}};
    if (x1 == x2)
        head.shaftX2 = float(x2 + 1);
    const float m = float((y2 - y1) / (head.shaftX2 - x1));
    const double offs = float(head.shaftX2 - x1) <= 0 ? 210 : 30;
    const double a = std::atan(double(m)) * (180 / kPi);
    const float length = float(twipsPerPixelX * 11);
    auto end = [&](double degrees) {
        const double radians = degrees * kPi / 180;
        return QPointF(float(x1 + length * std::cos(radians)),
                       float(y1 + length * std::sin(radians)));
    };
    head.stroke1End = end(a + offs);
    head.stroke2End = end(a - offs);
    return head;
}

void layArrowHead(const ObjectItems& items, int i, double twipsPerPixelX) {
    CanvasLine& shaft = *items.lines[i];
    const ArrowHead head =
        arrowHead(shaft.x1(), shaft.y1(), shaft.x2(), shaft.y2(), twipsPerPixelX);
    if (head.shaftX2 != shaft.x2())
        shaft.setPoints(shaft.x1(), shaft.y1(), head.shaftX2, shaft.y2());
    items.headStrokes1[i]->setPoints(shaft.x1(), shaft.y1(), head.stroke1End.x(),
                                     head.stroke1End.y());
    items.headStrokes2[i]->setPoints(shaft.x1(), shaft.y1(), head.stroke2End.x(),
                                     head.stroke2End.y());
}

bool addLine(const ObjectItems& items, bool arrow, double twipsPerPixelX, double twipsPerPixelY) {
    Q_UNUSED(twipsPerPixelY);
    auto& s = state();
    const int i = firstFree(items.lines);
    if (i >= 0) {
        CanvasLine& shaft = *items.lines[i];
        const QPointF at = s.newObjectPos;
        shaft.setPoints(at.x(), at.y(), float(at.x() + 70 * twipsPerPixelX), at.y());
        shaft.show();
        s.currentLine = qint16(i);
        styleLine(shaft, Qt::red, CanvasShape::Solid, 2);
        const bool remembered = s.rememberLineStyle;
        if (!arrow && remembered && s.lineDefaults.borderWidth)
            applyDefaults(shaft, s.lineDefaults);
        if (arrow) {
            layArrowHead(items, i, twipsPerPixelX);
            CanvasLine* strokes[] = {items.headStrokes1[i], items.headStrokes2[i]};
            for (CanvasLine* stroke : strokes) {
                stroke->show();
                styleLine(*stroke, Qt::red, CanvasShape::Solid, 2);
            }
            if (remembered && s.arrowDefaults.borderWidth) {
                applyDefaults(shaft, s.arrowDefaults);
                for (CanvasLine* stroke : strokes)
                    applyDefaults(*stroke, s.arrowDefaults);
            }
        }
    }
    s.freeze.objectsAdded = true;
    showPositionItemsForLine(items);
    return i >= 0;
}

void laySquaresOnGrabAreas(const ObjectItems& items) {
    for (size_t k = 0; k < items.lineSquares.size(); ++k)
        items.lineSquares[k]->move(items.lineGrabAreas[k]->left(), items.lineGrabAreas[k]->top());
}

void showPositionItemsForLine(const ObjectItems& items) {
    clearPositionItems(items);
    const CanvasLine& line = *items.lines[state().currentLine];
    auto centre = [&](int k, double x, double y) {
        CanvasLabel& grab = *items.lineGrabAreas[k];
        grab.move(float(x - grab.width() / 2), float(y - grab.height() / 2));
    };
    centre(0, line.x1(), line.y1());
    centre(2, line.x2(), line.y2());
    centre(1, (line.x2() - line.x1()) / 2 + line.x1(), (line.y2() - line.y1()) / 2 + line.y1());
    for (CanvasLabel* grab : items.lineGrabAreas)
        grab->show();
    laySquaresOnGrabAreas(items);
    for (CanvasImage* square : items.lineSquares)
        square->show();
}

}  // namespace qv::objects
