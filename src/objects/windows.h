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
    toolkit::LazyWindow<ObjectsPalette> objectsPalette;
    toolkit::LazyWindow<TextOptionsDialog> textOptions;
    toolkit::LazyWindow<ShapeOptionsDialog> shapeOptions;
    toolkit::LazyWindow<LineOptionsDialog> lineOptions;
};

// The windows of the running program.
inline Windows& windows() {
    return toolkit::Installed<Windows>::get();
}

}  // namespace qv::objects
