// Stand-in until the annotation objects are built.
#include "shell/frozenscreen.h"

namespace qv::shell {

// The items the hover tests place. The object pools stay empty until the objects fill them.
void FrozenScreen::createobjectitems() {
    auto overlay = [this] {
        CanvasLabel* label = Picture1->addLabel(CanvasItem::Role::Overlay);
        label->setBackColor(Qt::transparent);
        label->hide();
        return label;
    };
    Label5 = overlay();
    for (int i = 0; i < 3; ++i) {
        CanvasLabel* grab = overlay();
        grab->setGeometry(0, 0, 135, 135);
        Label6.push_back(grab);
    }
}

// Hides every annotation object and selection handle.
void FrozenScreen::clearObjects() {
    for (CanvasShape* shape : Shape2)
        shape->hide();
    for (CanvasLine* line : Line1)
        line->hide();
}

// Hides the selection handles, grab areas, drag outline, text frame and shape overlay.
void FrozenScreen::hideHoverMarks() {
    for (const auto& item : Picture1->items()) {
        const auto role = item->role();
        if (role == CanvasItem::Role::Selection || role == CanvasItem::Role::Overlay)
            item->hide();
    }
}

// An object counts as selected while its handles or frame show.
bool FrozenScreen::objectselected() const {
    return Picture1->anyVisible(CanvasItem::Role::Selection);
}

}  // namespace qv::shell
