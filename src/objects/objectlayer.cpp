#include "objects/objectlayer.h"

#include "objects/state.h"
#include "platform/services.h"

namespace qv::objects {

using toolkit::CanvasMouse;

ObjectLayer::ObjectLayer(FrozenCanvas& canvas, Stage& stage, QObject* parent)
    : QObject(parent), canvas_(canvas), stage_(stage), items_(createObjectItems(canvas)) {
    items_.shapeOverlay->setMouseHandler([this](const CanvasMouse& m) { shapeMouse(m); });
    for (int k = 0; k < int(items_.handles.size()); ++k)
        items_.handles[k]->setMouseHandler([this, k](const CanvasMouse& m) { handleMouse(k, m); });
    for (int i = 0; i < int(items_.images.size()); ++i)
        items_.images[i]->setMouseHandler([this, i](const CanvasMouse& m) { imageMouse(i, m); });
    for (int i = 0; i < int(items_.texts.size()); ++i)
        items_.texts[i]->setMouseHandler([this, i](const CanvasMouse& m) { textMouse(i, m); });
    for (int k = 0; k < int(items_.lineGrabAreas.size()); ++k) {
        items_.lineGrabAreas[k]->setMouseHandler(
            [this, k](const CanvasMouse& m) { lineGrabMouse(k, m); });
    }
}

void ObjectLayer::showHandlesOfCurrentShape() {
    const bool circle = items_.shapes[state().currentShape]->shape() == CanvasShape::Circle;
    for (size_t k = 0; k < items_.handles.size(); ++k)
        items_.handles[k]->setVisible(!circle || k % 2 == 0);
}

void ObjectLayer::captureWithoutMarks(bool marksShown) {
    if (marksShown) {
        clearPositionItems(items_);
        platform::clock().processEvents();
        platform::clock().sleep(300);
    }
    stage_.captureAreaAgain();
}

void ObjectLayer::shapeMouse(const CanvasMouse& mouse) {
    auto& s = state();
    CanvasLabel& overlay = *items_.shapeOverlay;
    CanvasShape& shape = *items_.shapes[s.currentShape];
    const QPointF at = stage_.pointerTwips();
    switch (mouse.action) {
        case CanvasMouse::Down:
            s.imageSelected = false;
            s.shapeSelected = true;
            layHandles(items_, shape.geometry(), shapeHandleGap(shape.borderWidth()));
            canvas_.bringToFront(&shape);
            if (shape.isVisible()) {
                showHandlesOfCurrentShape();
                for (CanvasImage* square : items_.lineSquares)
                    square->hide();
            }
            dragOffset_ = QPointF(overlay.left() + overlay.width() - at.x(),
                                  overlay.top() + overlay.height() - at.y());
            if (mouse.button == 2) {
                clearPositionItems(items_);
                canvas_.releaseMouseHold();
                stage_.popUpShapeMenu();
            }
            break;
        case CanvasMouse::Move:
            overlay.setMousePointer(items_.handles[0]->isVisible() ? 15 : 0);
            if (mouse.button == 1) {
                for (CanvasImage* handle : items_.handles)
                    handle->hide();
                overlay.move(float(at.x() - overlay.width() + dragOffset_.x()),
                             float(at.y() - overlay.height() + dragOffset_.y()));
                shape.move(overlay.left(), overlay.top());
            }
            break;
        case CanvasMouse::Up:
            showHandlesOfCurrentShape();
            moveShapeHandles(canvas_, items_);
            break;
        case CanvasMouse::DoubleClick:
            captureWithoutMarks(items_.handles[0]->isVisible());
            break;
    }
}

void ObjectLayer::handleMouse(int handle, const CanvasMouse& mouse) {
    auto& s = state();
    if (mouse.action == CanvasMouse::Down) {
        items_.imageOutline->hide();
        if (s.shapeSelected)
            baseline_ = Baseline::of(items_.shapeOverlay->geometry());
        if (s.imageSelected)
            baseline_ = Baseline::of(items_.images[s.currentImage]->geometry());
        return;
    }
    if (mouse.action != CanvasMouse::Move)
        return;
    const QPointF at = stage_.pointerTwips();
    for (size_t k = 0; k < items_.handles.size(); ++k)
        items_.handles[k]->setMousePointer(handlePointer(int(k)));
    if (mouse.button != 1)
        return;
    bool applied = false;
    auto apply = [&](CanvasItem& item) {
        if (const auto box = resizedByHandle(handle, baseline_, at.x(), at.y(), item.geometry())) {
            item.setGeometry(box->left(), box->top(), box->width(), box->height());
            applied = true;
        }
    };
    if (s.shapeSelected)
        apply(*items_.shapes[s.currentShape]);
    if (s.imageSelected)
        apply(*items_.images[s.currentImage]);
    if (applied)
        moveShapeHandles(canvas_, items_);
}

void ObjectLayer::imageMouse(int index, const CanvasMouse& mouse) {
    auto& s = state();
    const QPointF at = stage_.pointerTwips();
    CanvasShape& outline = *items_.imageOutline;
    switch (mouse.action) {
        case CanvasMouse::Down: {
            s.shapeSelected = false;
            s.imageSelected = true;
            s.currentImage = qint16(index);
            CanvasImage& image = *items_.images[index];
            outline.hide();
            outline.setGeometry(image.left(), image.top(), 1, 1);
            layHandles(items_, image.geometry(), kImageHandleGap);
            canvas_.bringToFront(&image);
            for (CanvasImage* handle : items_.handles)
                handle->show();
            for (CanvasImage* square : items_.lineSquares)
                square->hide();
            dragOffset_ = QPointF(image.left() + image.width() - at.x(),
                                  image.top() + image.height() - at.y());
            if (mouse.button == 2) {
                clearPositionItems(items_);
                canvas_.releaseMouseHold();
                stage_.popUpImageMenu();
            }
            break;
        }
        case CanvasMouse::Move: {
            // The current image's pointer, whichever image the pointer is over.
            CanvasImage& image = *items_.images[s.currentImage];
            image.setMousePointer(items_.handles[0]->isVisible() ? 15 : 0);
            if (mouse.button == 1) {
                outline.show();
                outline.setGeometry(float(at.x() - image.width() + dragOffset_.x()),
                                    float(at.y() - image.height() + dragOffset_.y()), image.width(),
                                    image.height());
            }
            break;
        }
        case CanvasMouse::Up:
            items_.images[s.currentImage]->move(outline.left(), outline.top());
            moveImageHandles(canvas_, items_);
            break;
        case CanvasMouse::DoubleClick:
            captureWithoutMarks(items_.handles[0]->isVisible());
            break;
    }
}

void ObjectLayer::deleteCurrentShape() {
    CanvasShape& shape = *items_.shapes[state().currentShape];
    shape.hide();
    shape.setGeometry(1, 1, 1, 1);
    items_.shapeOverlay->hide();
    state().freeze.objectsDeleted = true;
}

void ObjectLayer::deleteCurrentImage() {
    items_.images[state().currentImage]->hide();
    state().freeze.objectsDeleted = true;
}

}  // namespace qv::objects
