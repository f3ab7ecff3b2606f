// Stand-in until the annotation objects are built.
#include "shell/form2.h"

namespace qv::shell {

// Hides every annotation object and selection handle.
void Form2::clearobjects() {}

// Hides the selection handles, grab areas, drag outline, text frame and shape overlay.
void Form2::clearpositems() {}

// An object counts as selected while its handles or frame show.
bool Form2::objectselected() const {
    return Picture1->anyVisible(CanvasItem::Role::Selection);
}

}  // namespace qv::shell
