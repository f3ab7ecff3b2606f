#pragma once

#include <QColor>

#include "toolkit/canvas.h"

class QWidget;

namespace qv::objects {

using toolkit::CanvasItem;
using toolkit::CanvasLine;
using toolkit::CanvasShape;

// A fixed canvas of the given size in twips on a plain background, on which an options window
// lays its preview items, so that they show exactly as the objects will.
toolkit::FrozenCanvas* makePreviewCanvas(QWidget* parent, double widthTwips, double heightTwips,
                                         const QColor& background);

}  // namespace qv::objects
