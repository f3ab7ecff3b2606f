#pragma once

#include <QColor>
#include <QRect>

class QPainter;

namespace qv::picmenu {

enum EdgeSide { kTopEdge = 1, kLeftEdge = 2, kBottomEdge = 4, kRightEdge = 8, kAllEdges = 15 };

// A one-pixel edge along the inside of rect: the top and left lines in topLeft, then the bottom
// and right lines in bottomRight, which take the two corners they share with the first ones.
void drawEdge(QPainter& painter, const QRect& rect, const QColor& topLeft,
              const QColor& bottomRight, int sides = kAllEdges);

}  // namespace qv::picmenu
