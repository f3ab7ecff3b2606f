// Stand-in until the annotation objects are built.
#include "shell/form2.h"

namespace qv::shell {

// The items the hover tests place. The object pools stay empty until the objects fill them.
void Form2::createobjectitems() {
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
void Form2::clearobjects() {
    for (CanvasShape* shape : Shape2)
        shape->hide();
    for (CanvasLine* line : Line1)
        line->hide();
}

// Hides the selection handles, grab areas, drag outline, text frame and shape overlay.
void Form2::clearpositems() {
    for (const auto& item : Picture1->items()) {
        const auto role = item->role();
        if (role == CanvasItem::Role::Selection || role == CanvasItem::Role::Overlay)
            item->hide();
    }
}

// An object counts as selected while its handles or frame show.
bool Form2::objectselected() const {
    return Picture1->anyVisible(CanvasItem::Role::Selection);
}

}  // namespace qv::shell
