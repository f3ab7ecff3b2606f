// What the mouse does to lines and arrows through their three grab areas.
#include "capture/capturestate.h"
#include "objects/lines.h"
#include "objects/objectlayer.h"
#include "objects/state.h"

namespace qv::objects {

using toolkit::CanvasMouse;

void ObjectLayer::lineGrabMouse(int k, const CanvasMouse& mouse) {
    auto& s = state();
    switch (mouse.action) {
        case CanvasMouse::Down:
            s.lineGrabIndex = k;
            s.draggedLine = s.currentLine;
            for (CanvasLabel* grab : items_.lineGrabAreas)
                canvas_.bringToFront(grab);
            laySquaresOnGrabAreas(items_);
            for (CanvasImage* square : items_.lineSquares)
                square->show();
            for (CanvasImage* handle : items_.handles)
                handle->hide();
            s.lineDragging = true;
            if (mouse.button == 1)
                lineGrab_ = mouse.at;
            if (mouse.button == 2) {
                clearPositionItems(items_);
                s.lineDragging = false;
                canvas_.releaseMouseHold();
                stage_.popUpLineMenu();
            }
            break;
        case CanvasMouse::Move:
            s.lineGrabIndex = k;
            for (size_t g = 0; g < items_.lineGrabAreas.size(); ++g)
                items_.lineGrabAreas[g]->setMousePointer(items_.lineSquares[g]->isVisible() ? 15
                                                                                            : 0);
            if (s.lineDragging)
                dragLine(k, mouse.at);
            break;
        case CanvasMouse::Up:
            if (s.draggedLine == s.currentLine) {
                laySquaresOnGrabAreas(items_);
                for (CanvasImage* square : items_.lineSquares)
                    square->show();
                // The grab areas stay above their squares, so that they keep the mouse.
                for (CanvasImage* square : items_.lineSquares)
                    canvas_.bringToFront(square);
                for (CanvasLabel* grab : items_.lineGrabAreas)
                    canvas_.bringToFront(grab);
            }
            s.lineDragging = false;
            break;
        case CanvasMouse::DoubleClick:
            captureWithoutMarks(items_.lineSquares[0]->isVisible());
            break;
    }
}

void ObjectLayer::dragLine(int k, QPointF at) {
    const int i = state().currentLine;
    CanvasLine& line = *items_.lines[i];
    const auto& grabs = items_.lineGrabAreas;
    for (CanvasImage* square : items_.lineSquares)
        square->hide();
    auto shift = [&](int g) {
        CanvasLabel& grab = *grabs[g];
        const float top = float(grab.top() + at.y() - lineGrab_.y());
        const float left = float(grab.left() + at.x() - lineGrab_.x());
        grab.move(left, top);
    };
    auto centreMiddle = [&] {
        CanvasLabel& middle = *grabs[1];
        const float top = float((line.y2() - line.y1()) / 2 + line.y1() - middle.height() / 2);
        const float left = float((line.x2() - line.x1()) / 2 + line.x1() - middle.width() / 2);
        middle.move(left, top);
    };
    auto startAtGrab = [&] {
        line.setPoints(float(grabs[0]->left() + grabs[0]->width() / 2),
                       float(grabs[0]->top() + grabs[0]->height() / 2), line.x2(), line.y2());
    };
    auto endAtGrab = [&] {
        line.setPoints(line.x1(), line.y1(), float(grabs[2]->left() + grabs[0]->width() / 2),
                       float(grabs[2]->top() + grabs[0]->height() / 2));
    };
    if (k == 0) {
        shift(0);
        startAtGrab();
        centreMiddle();
    } else if (k == 1) {
        shift(1);
        shift(0);
        shift(2);
        startAtGrab();
        endAtGrab();
    } else {
        shift(2);
        endAtGrab();
        centreMiddle();
    }
    if (items_.headStrokes1[i]->isVisible() && items_.headStrokes2[i]->isVisible())
        layArrowHead(items_, i, capture::state().twipsPerPixelX);
    canvas_.bringToFront(&line);
    canvas_.bringToFront(items_.headStrokes1[i]);
    canvas_.bringToFront(items_.headStrokes2[i]);
}

void ObjectLayer::deleteCurrentLine() {
    const int i = state().currentLine;
    items_.lines[i]->hide();
    items_.headStrokes1[i]->hide();
    items_.headStrokes2[i]->hide();
    items_.lines[i]->setPoints(1, 1, 1, 1);
    for (CanvasLabel* grab : items_.lineGrabAreas)
        grab->hide();
    state().freeze.objectsDeleted = true;
}

}  // namespace qv::objects
