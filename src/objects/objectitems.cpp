#include "objects/objectitems.h"

#include <QPalette>
#include <algorithm>

namespace qv::objects {

namespace {

template <class Item>
std::vector<Item*> pool(int count, const std::function<Item*()>& make) {
    std::vector<Item*> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i) {
        Item* item = make();
        item->hide();
        items.push_back(item);
    }
    return items;
}

CanvasLabel* transparentLabel(FrozenCanvas& canvas, CanvasItem::Role role) {
    CanvasLabel* label = canvas.addLabel(role);
    label->setBackgroundColor(Qt::transparent);
    label->hide();
    return label;
}

CanvasShape* outline(FrozenCanvas& canvas) {
    CanvasShape* shape = canvas.addShape(CanvasItem::Role::Selection);
    shape->setBorderColor(QPalette().color(QPalette::WindowText));
    shape->hide();
    return shape;
}

}  // namespace

QImage handlePicture() {
    QImage picture(9, 9, QImage::Format_RGB32);
    const QRgb rings[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255),
                          qRgb(255, 255, 255)};
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int ring = std::min({x, y, 8 - x, 8 - y});
            picture.setPixel(x, y, rings[ring]);
        }
    }
    return picture;
}

ObjectItems createObjectItems(FrozenCanvas& canvas) {
    using Role = CanvasItem::Role;
    ObjectItems items;
    items.scratch = canvas.addImage(Role::Object);
    items.scratch->hide();
    items.shapes = pool<CanvasShape>(kPoolSize, [&] { return canvas.addShape(Role::Object); });
    items.shapeOverlay = transparentLabel(canvas, Role::Overlay);
    items.shapeOverlay->setGeometry(0, 0, 975, 495);
    auto lines = [&] {
        return pool<CanvasLine>(kPoolSize, [&] { return canvas.addLine(Role::Object); });
    };
    items.lines = lines();
    items.headStrokes1 = lines();
    items.headStrokes2 = lines();
    items.images = pool<CanvasImage>(kPoolSize, [&] { return canvas.addImage(Role::Object); });
    items.texts = pool<CanvasLabel>(kPoolSize, [&] { return canvas.addLabel(Role::Object); });
    items.imageOutline = outline(canvas);
    items.imageOutline->setGeometry(0, 0, 975, 735);
    items.textFrame = outline(canvas);
    items.textFrame->setGeometry(0, 0, 615, 615);

    const QPointF perPixel = canvas.twipsPerPixel();
    const QImage picture = handlePicture();
    auto handle = [&] {
        CanvasImage* image = canvas.addImage(Role::Selection);
        image->setPicture(picture);
        image->setGeometry(0, 0, picture.width() * perPixel.x(), picture.height() * perPixel.y());
        return image;
    };
    items.lineSquares = pool<CanvasImage>(3, handle);
    items.lineGrabAreas = pool<CanvasLabel>(3, [&] {
        CanvasLabel* grab = transparentLabel(canvas, Role::Overlay);
        grab->setGeometry(0, 0, 135, 135);
        grab->setToolTip(QStringLiteral("Click here to edit"));
        return grab;
    });
    items.handles = pool<CanvasImage>(8, handle);
    return items;
}

void clearObjects(const ObjectItems& items) {
    for (CanvasLabel* text : items.texts)
        text->hide();
    for (CanvasShape* shape : items.shapes)
        shape->hide();
    for (const auto* pool : {&items.lines, &items.headStrokes1, &items.headStrokes2}) {
        for (CanvasLine* line : *pool)
            line->hide();
    }
    for (CanvasImage* image : items.images)
        image->hide();
    for (CanvasImage* handle : items.handles)
        handle->hide();
    for (CanvasImage* square : items.lineSquares)
        square->hide();
    items.scratch->hide();
}

void clearPositionItems(const ObjectItems& items) {
    for (CanvasImage* handle : items.handles)
        handle->hide();
    for (CanvasImage* square : items.lineSquares)
        square->hide();
    for (CanvasLabel* grab : items.lineGrabAreas)
        grab->hide();
    items.imageOutline->hide();
    items.textFrame->hide();
    items.shapeOverlay->hide();
}

bool objectSelected(const ObjectItems& items) {
    return items.handles[0]->isVisible() || items.lineSquares[0]->isVisible() ||
           items.textFrame->isVisible();
}

bool isPositionItem(const ObjectItems& items, const CanvasItem& item) {
    auto in = [&item](const auto& pool) {
        return std::find(pool.begin(), pool.end(), &item) != pool.end();
    };
    return &item == items.shapeOverlay || &item == items.imageOutline || &item == items.textFrame ||
           &item == items.scratch || in(items.handles) || in(items.lineSquares) ||
           in(items.lineGrabAreas);
}

}  // namespace qv::objects
