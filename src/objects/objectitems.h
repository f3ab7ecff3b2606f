#pragma once

#include <QImage>
#include <vector>

#include "toolkit/canvas.h"

namespace qv::objects {

using toolkit::CanvasImage;
using toolkit::CanvasItem;
using toolkit::CanvasLabel;
using toolkit::CanvasLine;
using toolkit::CanvasShape;
using toolkit::FrozenCanvas;

inline constexpr int kPoolSize = 100;

// The canvas items objects are made of, created once with the frozen screen, hidden, and never
// added or removed afterwards. An element of a pool is in use exactly while it is visible.
struct ObjectItems {
    CanvasImage* scratch = nullptr;  // measures loaded pictures; never shown
    std::vector<CanvasShape*> shapes;
    CanvasLabel* shapeOverlay = nullptr;  // takes the mouse for the hovered shape
    std::vector<CanvasLine*> lines;       // lines and the shafts of arrows
    std::vector<CanvasLine*> headStrokes1;
    std::vector<CanvasLine*> headStrokes2;
    std::vector<CanvasImage*> images;
    std::vector<CanvasLabel*> texts;
    CanvasShape* imageOutline = nullptr;  // dragged in place of a moving image
    CanvasShape* textFrame = nullptr;
    std::vector<CanvasImage*> lineSquares;
    std::vector<CanvasLabel*> lineGrabAreas;
    std::vector<CanvasImage*> handles;  // clockwise from the top-left corner
};

// Creates every item on the canvas, hidden, above the items already there, bottom to top:
// shapes, the overlay, lines, head strokes, images, texts, the image outline, the text frame,
// the line squares, the grab areas and the handles. Handles are sized by twipsPerPixel.
ObjectItems createObjectItems(FrozenCanvas& canvas);

// The 9 x 9 picture of a handle: black, white and black rings round a white centre.
QImage handlePicture();

// The index of the first element of a pool not in use, or -1 when all are.
template <class Item>
int firstFree(const std::vector<Item*>& pool) {
    for (int i = 0; i < int(pool.size()); ++i) {
        if (!pool[i]->isVisible())
            return i;
    }
    return -1;
}

// Hides every object of every pool, the handles, the line squares and the scratch picture.
void clearObjects(const ObjectItems& items);
// Hides the selection marks: handles, line squares, grab areas, image outline, text frame
// and the shape overlay.
void clearPositionItems(const ObjectItems& items);
// An object is selected while its handles, its line squares or its text frame show.
bool objectSelected(const ObjectItems& items);
// Whether an item is a selection mark, which no capture ever holds.
bool isPositionItem(const ObjectItems& items, const CanvasItem& item);

}  // namespace qv::objects
