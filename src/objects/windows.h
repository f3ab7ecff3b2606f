#pragma once

#include "objects/objectspalette.h"
#include "objects/textoptionsdialog.h"
#include "objects/shapeoptionsdialog.h"
#include "objects/lineoptionsdialog.h"
#include "toolkit/lazyform.h"

namespace qv::objects {

// The windows of this subsystem, each created on first use.
struct Windows {
    toolkit::LazyForm<ObjectsPalette> objectsPalette;  // the Objects palette
    toolkit::LazyForm<TextOptionsDialog> textOptions;  // Text Options
    toolkit::LazyForm<ShapeOptionsDialog> shapeOptions;  // Shape Options
    toolkit::LazyForm<LineOptionsDialog> lineOptions;  // Line Options
};

}  // namespace qv::objects
