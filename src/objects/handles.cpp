#include "objects/handles.h"

#include "objects/state.h"

namespace qv::objects {

qint16 shapeHandleGap(int borderWidth) {
    return qint16(7 * borderWidth + 50);
}

std::array<QPointF, 8> handlePlaces(const QRectF& object, float w, float d) {
    const float l = float(object.left());
    const float t = float(object.top());
    const float width = float(object.width());
    const float height = float(object.height());
    const float leftColumn = l - w - d;
    const float middleColumn = l + (width - w) / 2;
    const float rightColumn = (l + width) + d;
    const float topRow = t - w - d;
    const float middleRow = t + (height - w) / 2;
    const float bottomRow = (t + height) + d;
    return {QPointF(leftColumn, topRow),     QPointF(middleColumn, topRow),
            QPointF(rightColumn, topRow),    QPointF(rightColumn, middleRow),
            QPointF(rightColumn, bottomRow), QPointF(middleColumn, bottomRow),
            QPointF(leftColumn, bottomRow),  QPointF(leftColumn, middleRow)};
}

int handlePointer(int handle) {
    static constexpr int pointers[] = {8, 7, 6, 9, 8, 7, 6, 9};
    return pointers[handle & 7];
}

void layHandles(const ObjectItems& items, const QRectF& object, float gap) {
    const float w = float(items.handles[0]->width());
    const auto places = handlePlaces(object, w, gap);
    for (size_t k = 0; k < items.handles.size(); ++k)
        items.handles[k]->move(places[k].x(), places[k].y());
}

namespace {

void showHandles(const ObjectItems& items, bool cornersOnly) {
    for (size_t k = 0; k < items.handles.size(); ++k)
        items.handles[k]->setVisible(!cornersOnly || k % 2 == 0);
}

CanvasShape& currentShape(const ObjectItems& items) {
    return *items.shapes[state().currentShape];
}

CanvasImage& currentImage(const ObjectItems& items) {
    return *items.images[state().currentImage];
}

void bringHandlesToFront(FrozenCanvas& canvas, const ObjectItems& items) {
    for (CanvasImage* handle : items.handles)
        canvas.bringToFront(handle);
}

}  // namespace

void showPositionItemsForShape(const ObjectItems& items) {
    clearPositionItems(items);
    const CanvasShape& shape = currentShape(items);
    layHandles(items, shape.geometry(), shapeHandleGap(shape.borderWidth()));
    showHandles(items, shape.shape() == CanvasShape::Circle);
    state().imageSelected = false;
    state().shapeSelected = true;
}

void showPositionItemsForImage(const ObjectItems& items) {
    layHandles(items, currentImage(items).geometry(), kImageHandleGap);
    showHandles(items, false);
    state().shapeSelected = false;
    state().imageSelected = true;
}

void moveShapeHandles(FrozenCanvas& canvas, const ObjectItems& items) {
    if (state().shapeSelected) {
        const CanvasShape& shape = currentShape(items);
        bringHandlesToFront(canvas, items);
        layHandles(items, shape.geometry(), shapeHandleGap(shape.borderWidth()));
        items.shapeOverlay->setGeometry(shape.left(), shape.top(), shape.width(), shape.height());
    }
    if (state().imageSelected)
        moveImageHandles(canvas, items);
}

void moveImageHandles(FrozenCanvas& canvas, const ObjectItems& items) {
    bringHandlesToFront(canvas, items);
    layHandles(items, currentImage(items).geometry(), kImageHandleGap);
}

Baseline Baseline::of(const QRectF& box) {
    const float l = float(box.left());
    const float w = float(box.width());
    const float t = float(box.top());
    const float h = float(box.height());
    return {l, w, l + w, t, h, t + h};
}

std::optional<QRectF> resizedByHandle(int handle, const Baseline& b, double x, double y,
                                      const QRectF& current) {
    // Which edges the handle drags: top, right, bottom, left.
    static constexpr bool drags[8][4] = {{1, 0, 0, 1}, {1, 0, 0, 0}, {1, 1, 0, 0}, {0, 1, 0, 0},
                                         {0, 1, 1, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}, {0, 0, 0, 1}};
    const bool* edge = drags[handle & 7];
    float left = float(current.left());
    float top = float(current.top());
    float width = float(current.width());
    float height = float(current.height());
    if (edge[0]) {
        const double h = b.height + (b.top - y);
        if (!(y > 0 && h > 0))
            return std::nullopt;
        top = float(y);
        height = float(h);
    }
    if (edge[2]) {
        const double h = b.height + (y - b.bottom);
        if (!(h > 0))
            return std::nullopt;
        height = float(h);
    }
    if (edge[1]) {
        const double w = b.width + (x - b.right);
        if (!(w > 0))
            return std::nullopt;
        width = float(w);
    }
    if (edge[3]) {
        const double w = b.width + (b.left - x);
        if (!(x > 0 && w > 0))
            return std::nullopt;
        left = float(x);
        width = float(w);
    }
    return QRectF(left, top, width, height);
}

}  // namespace qv::objects
