#pragma once

#include <QRect>
#include <QSize>
#include <vector>

#include "toolkit/canvas.h"

class QPainter;

namespace qv::toolkit {

// On and off lengths in pixels along a width-1 border or line of a style; empty when solid.
std::vector<int> dashPattern(CanvasShape::BorderStyle style);
// Whether a width-1 border of the style has gaps.
bool isPatterned(CanvasShape::BorderStyle style);

// The width-1 outline of a figure filling box, with the painter's pen.
void drawOutline(QPainter& painter, CanvasShape::Shape shape, const QRect& box);

// The pixels a width-1 dotted or dashed outline covers for a figure of the given size, counted
// from the figure's top-left corner. They are worked out for the whole figure at once, so that
// any part of it painted alone shows exactly the dots of the whole.
std::vector<QRect> patternedOutline(CanvasShape::Shape shape, CanvasShape::BorderStyle style,
                                    QSize size);

}  // namespace qv::toolkit
