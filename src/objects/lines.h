#pragma once

#include <QPointF>

#include "objects/objectitems.h"

namespace qv::objects {

// Where the two strokes of an arrow's head end. They leave the tip (the shaft's start) 11
// pixels long, 30 degrees either side of the shaft and pointing back along it. A vertical
// shaft is first tilted by one twip at its end, which the caller keeps in the shaft.
struct ArrowHead {
    double shaftX2;
    QPointF stroke1End;
    QPointF stroke2End;
};
ArrowHead arrowHead(double x1, double y1, double x2, double y2, double twipsPerPixelX);

// Lays the head strokes of line i on its tip, as arrowHead says, tilting a vertical shaft.
void layArrowHead(const ObjectItems& items, int i, double twipsPerPixelX);

// Adds a line, or an arrow, at newObjectPos, 70 pixels long to the right, in the first free
// element, and makes it current; false when the pool is full. Either way the grab areas go
// on the current line and objectsAdded is set.
bool addLine(const ObjectItems& items, bool arrow, double twipsPerPixelX, double twipsPerPixelY);

// Centres the three grab areas on the current line's start, midpoint and end and shows
// them with their squares; every other mark is hidden.
void showPositionItemsForLine(const ObjectItems& items);

// Puts each line square on its grab area's corner, without showing it.
void laySquaresOnGrabAreas(const ObjectItems& items);

}  // namespace qv::objects
