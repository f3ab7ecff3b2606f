#pragma once

#include "toolkit/canvas.h"

namespace qv::shell {

using toolkit::CanvasImage;
using toolkit::CanvasItem;
using toolkit::CanvasLabel;
using toolkit::CanvasLine;
using toolkit::CanvasShape;
using toolkit::FrozenCanvas;

}  // namespace qv::shell
