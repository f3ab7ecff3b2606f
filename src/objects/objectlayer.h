#pragma once

#include <QObject>
#include <QPointF>

#include "objects/handles.h"
#include "objects/objectitems.h"
#include "objects/stage.h"

namespace qv::objects {

// The objects of one frozen screen: its pools and selection marks, and what the mouse does
// to shapes, images, texts, handles and the grab areas of lines. Lives and dies with the frozen
// screen.
class ObjectLayer : public QObject {
public:
    ObjectLayer(FrozenCanvas& canvas, Stage& stage, QObject* parent);

    FrozenCanvas& canvas() { return canvas_; }
    Stage& stage() { return stage_; }
    const ObjectItems& items() const { return items_; }

    // The delete commands of the object menus.
    void deleteCurrentShape();
    void deleteCurrentImage();
    void deleteCurrentLine();
    void deleteCurrentText();
    // Lays the text frame on the current text and shows it.
    void frameCurrentText();

private:
    void shapeMouse(const toolkit::CanvasMouse& mouse);
    void handleMouse(int handle, const toolkit::CanvasMouse& mouse);
    void imageMouse(int index, const toolkit::CanvasMouse& mouse);
    void lineGrabMouse(int k, const toolkit::CanvasMouse& mouse);
    void dragLine(int k, QPointF at);
    void textMouse(int index, const toolkit::CanvasMouse& mouse);
    // Hides the marks when shown, lets the screen repaint and captures the area again.
    void captureWithoutMarks(bool marksShown);
    void showHandlesOfCurrentShape();

    FrozenCanvas& canvas_;
    Stage& stage_;
    ObjectItems items_;
    QPointF dragOffset_;  // from the pointer to the right and bottom edges of the dragged object
    Baseline baseline_{};
    QPointF lineGrab_;  // where the last left press fell on its grab area
};

}  // namespace qv::objects
