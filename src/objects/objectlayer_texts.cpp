// What the mouse does to texts: a press frames one, a drag moves it, a right press opens its
// menu.
#include <algorithm>

#include "objects/objectlayer.h"
#include "objects/state.h"
#include "platform/services.h"

namespace qv::objects {

using toolkit::CanvasMouse;

void ObjectLayer::frameCurrentText() {
    const CanvasLabel& text = *items_.texts[state().currentText];
    items_.textFrame->setGeometry(text.left(), text.top(), text.width(), text.height());
    items_.textFrame->show();
}

void ObjectLayer::textMouse(int index, const CanvasMouse& mouse) {
    auto& s = state();
    CanvasShape& frame = *items_.textFrame;
    switch (mouse.action) {
        case CanvasMouse::Down: {
            const QPointF at = stage_.pointerTwips();
            s.textDragging = true;
            s.currentText = qint16(index);
            clearPositionItems(items_);
            CanvasLabel& text = *items_.texts[index];
            frame.setGeometry(text.left(), text.top(), text.width(), text.height());
            canvas_.bringToFront(&text);
            frame.show();
            dragOffset_ =
                QPointF(text.left() + text.width() - at.x(), text.top() + text.height() - at.y());
            if (mouse.button == 2) {
                clearPositionItems(items_);
                s.textDragging = false;
                canvas_.releaseMouseHold();
                stage_.popUpTextMenu();
            }
            break;
        }
        case CanvasMouse::Move: {
            // The current text's pointer, whichever text the pointer is over.
            CanvasLabel& text = *items_.texts[s.currentText];
            text.setMousePointer(frame.isVisible() ? 15 : 0);
            if (!s.textDragging)
                break;
            const QPointF perPixel = canvas_.twipsPerPixel();
            const QSize pixels = canvas_.pixelSize();
            // The point under the pointer stays on the canvas; the text may hang over its edge.
            const QPointF at = stage_.pointerTwips();
            const double x = std::clamp(at.x(), 0.0, pixels.width() * perPixel.x());
            const double y = std::clamp(at.y(), 0.0, pixels.height() * perPixel.y());
            const float left = float(x + dragOffset_.x() - text.width());
            const float top = float(y + dragOffset_.y() - text.height());
            text.move(left, top);
            frame.move(left, top);
            break;
        }
        case CanvasMouse::Up:
            s.textDragging = false;
            break;
        case CanvasMouse::DoubleClick:
            // A text always waits before capturing, framed or not.
            if (frame.isVisible())
                clearPositionItems(items_);
            platform::clock().processEvents();
            platform::clock().sleep(300);
            stage_.captureAreaAgain();
            break;
    }
}

void ObjectLayer::deleteCurrentText() {
    CanvasLabel& text = *items_.texts[state().currentText];
    text.hide();
    text.setCaption(QStringLiteral("Label"));
    state().freeze.objectsDeleted = true;
}

}  // namespace qv::objects
