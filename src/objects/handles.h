#pragma once

#include <QPointF>
#include <QRectF>
#include <array>
#include <optional>

#include "objects/objectitems.h"

namespace qv::objects {

// The clear distance between a shape and its handles grows with the border, which stands
// half outside the shape.
qint16 shapeHandleGap(int borderWidth);
inline constexpr float kImageHandleGap = 50;

// Where the eight handles of an object go (their top-left corners), clockwise from the
// top-left corner, for handles w twips wide at a gap of d twips.
std::array<QPointF, 8> handlePlaces(const QRectF& object, float w, float d);

// The handle pointers: sizing pointers matching each handle's direction.
int handlePointer(int handle);

// Lays the handles round the current shape, shows them (a circle only its corner handles)
// and marks them as the shape's.
void showPositionItemsForShape(const ObjectItems& items);
// Lays the handles round the current image and shows them, leaving other marks as they are.
void showPositionItemsForImage(const ObjectItems& items);
// Brings the handles to the object they belong to after it moved or changed size; for a
// shape the overlay follows too. Nothing is shown or hidden.
void moveShapeHandles(FrozenCanvas& canvas, const ObjectItems& items);
void moveImageHandles(FrozenCanvas& canvas, const ObjectItems& items);
// Lays the handles round an object without showing or hiding them.
void layHandles(const ObjectItems& items, const QRectF& object, float gap);

// The edges of an object when a handle was pressed.
struct Baseline {
    float left, width, right, top, height, bottom;
    static Baseline of(const QRectF& box);
};

// An object's box after dragging a handle to (x, y): the dragged edges go to the pointer, the
// others stay at the baseline. Nothing when one of the handle's conditions fails.
std::optional<QRectF> resizedByHandle(int handle, const Baseline& base, double x, double y,
                                      const QRectF& current);

}  // namespace qv::objects
