#pragma once

#include <QPointF>
#include <vector>

#include "shell/canvas.h"

namespace qv::shell::hover {

// Which object lies under the pointer (twips of the frozen picture). Only visible elements
// count; where several are hit, the highest index wins. -1 when none is hit.

// A shape is hit strictly inside its rectangle: its edges are not part of it.
int shapeAt(const std::vector<CanvasShape*>& pool, QPointF point);

// A line is hit within 10 pixels of either end or 20 pixels of its midpoint, each a square
// with its bounds included; pixels are converted with the twips per pixel of their axis.
int lineAt(const std::vector<CanvasLine*>& pool, QPointF point, double twipsPerPixelX,
           double twipsPerPixelY);

// The midpoint of a line, where its middle grab area goes.
QPointF midpoint(const CanvasLine& line);

}  // namespace qv::shell::hover
