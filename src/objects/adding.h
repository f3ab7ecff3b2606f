#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include "objects/objectitems.h"
#include "objects/state.h"

namespace qv::objects {

// Where the palette's frame goes when it loads: its right edge 100 pixels left of the
// screen's right edge, its top 100 pixels down. Pixels are logical ones.
QPoint paletteFramePlace(int screenWidth, const QSize& frameSize);
// Where a new object goes: centred under the palette's frame (a 100-pixel object), a fifth
// of the palette's height below it. Twips, from a frame in device pixels.
QPointF newObjectPlace(const QRectF& frame, double twipsPerPixelX, double twipsPerPixelY);

// The remembered style of a figure's new shapes.
ShapeDefaults& shapeDefaultsFor(int figure);
// A remembered width as a border width: rounded half to even, kept within 1 to 99.
int rememberedWidth(double width);

// Adds a shape of a figure (rectangle 0, rounded rectangle 4, ellipse 2, circle 3) at
// newObjectPos in the first free element and makes it current; false when the pool is full.
// Either way the marks go round the current shape and objectsAdded is set.
bool addShape(const ObjectItems& items, int figure, double twipsPerPixelX, double twipsPerPixelY);

// A picture file read for an image object, or why it could not be read: the error number and
// description of the message ("53 File not found", "481 Invalid picture").
struct LoadedPicture {
    QImage picture;
    int error = 0;
    QString description;
};
// Reads a picture: of an icon the 32 x 32 image when there is one, else the first; of an
// animation the first frame.
LoadedPicture loadPicture(const QString& path);

// Adds an image of the picture's natural size at newObjectPos in the first free element and
// makes it current; false when the pool is full. Either way the marks go round the current
// image and objectsAdded is set.
bool addImage(const ObjectItems& items, const QImage& picture, double twipsPerPixelX,
              double twipsPerPixelY);

}  // namespace qv::objects
