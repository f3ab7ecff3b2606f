#pragma once

#include "objects/lineoptionsdialog.h"
#include "objects/objectspalette.h"
#include "objects/shapeoptionsdialog.h"
#include "objects/textoptionsdialog.h"
#include "toolkit/installed.h"
#include "toolkit/lazywindow.h"

namespace qv::objects {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyWindow<ObjectsPalette> objectsPalette;    // the Objects palette
    toolkit::LazyWindow<TextOptionsDialog> textOptions;    // Text Options
    toolkit::LazyWindow<ShapeOptionsDialog> shapeOptions;  // Shape Options
    toolkit::LazyWindow<LineOptionsDialog> lineOptions;    // Line Options
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::objects
