// Stand-in until the annotation objects are built.
#include "shell/frozenscreen.h"

namespace qv::shell {

// The items the hover tests place. The object pools stay empty until the objects fill them.
void FrozenScreen::createHoverMarks() {
    auto overlay = [this] {
        CanvasLabel* label = canvas->addLabel(CanvasItem::Role::Overlay);
        label->setBackgroundColor(Qt::transparent);
        label->hide();
        return label;
    };
    shapeHoverMark = overlay();
    for (int i = 0; i < 3; ++i) {
        CanvasLabel* grab = overlay();
        grab->setGeometry(0, 0, 135, 135);
        lineGrabAreas.push_back(grab);
    }
}

// Hides every annotation object and selection handle.
void FrozenScreen::clearObjects() {
    for (CanvasShape* shape : shapes)
        shape->hide();
    for (CanvasLine* line : lines)
        line->hide();
}

// Hides the selection handles, grab areas, drag outline, text frame and shape overlay.
void FrozenScreen::hideHoverMarks() {
    for (const auto& item : canvas->items()) {
        const auto role = item->role();
        if (role == CanvasItem::Role::Selection || role == CanvasItem::Role::Overlay)
            item->hide();
    }
}

// An object counts as selected while its handles or frame show.
bool FrozenScreen::objectSelected() const {
    return canvas->anyVisible(CanvasItem::Role::Selection);
}

}  // namespace qv::shell
