#include "objects/adding.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#include "objects/handles.h"
#include "toolkit/colors.h"
#include "toolkit/numbers.h"

namespace qv::objects {

QPoint paletteFramePlace(int screenWidth, const QSize& frameSize) {
    return {screenWidth - (100 + frameSize.width()), 100};
}

QPointF newObjectPlace(const QRectF& frame, double twipsPerPixelX, double twipsPerPixelY) {
    const double left = frame.left() * twipsPerPixelX;
    const double top = frame.top() * twipsPerPixelY;
    const double width = frame.width() * twipsPerPixelX;
    const double height = frame.height() * twipsPerPixelY;
    return {float(left + width / 2 - 50 * twipsPerPixelX), float(top + 1.2 * height)};
}

ShapeDefaults& shapeDefaultsFor(int figure) {
    auto& s = state();
    switch (figure) {
        case CanvasShape::RoundedRectangle:
            return s.roundRectDefaults;
        case CanvasShape::Oval:
            return s.ellipseDefaults;
        case CanvasShape::Circle:
            return s.circleDefaults;
        default:
            return s.rectangleDefaults;
    }
}

int rememberedWidth(double width) {
    // The Options windows store the width as typed; a border outside 1 to 99 is not drawable.
    return std::clamp(toolkit::toInt(toolkit::roundHalfEven(std::clamp(width, -1e6, 1e6))), 1, 99);
}

namespace {

void applyDefaults(CanvasShape& shape, const ShapeDefaults& record) {
    using toolkit::colorFromValue;
    if (record.borderWidth)
        shape.setBorderWidth(rememberedWidth(*record.borderWidth));
    if (record.borderStyle)
        shape.setBorderStyle(CanvasShape::BorderStyle(std::clamp<int>(*record.borderStyle, 0, 6)));
    if (record.borderColor)
        shape.setBorderColor(colorFromValue(*record.borderColor));
    if (record.fillColor)
        shape.setFillColor(colorFromValue(*record.fillColor));
    if (record.fillStyle)
        shape.setFillStyle(*record.fillStyle);
    if (record.backStyle)
        shape.setOpaque(*record.backStyle == 1);
    if (record.backColor)
        shape.setBackColor(colorFromValue(*record.backColor));
}

}  // namespace

bool addShape(const ObjectItems& items, int figure, double twipsPerPixelX, double twipsPerPixelY) {
    auto& s = state();
    const int i = firstFree(items.shapes);
    if (i >= 0) {
        CanvasShape& shape = *items.shapes[i];
        shape.setBorderWidth(2);
        shape.setBorderStyle(CanvasShape::Solid);
        shape.setBorderColor(Qt::red);
        shape.setFillColor(Qt::red);
        shape.setOpaque(false);
        shape.setFillStyle(CanvasShape::FillNone);
        shape.setShape(CanvasShape::Shape(figure));
        shape.setGeometry(s.newObjectPos.x(), s.newObjectPos.y(), float(100 * twipsPerPixelX),
                          float((figure == CanvasShape::Circle ? 100 : 50) * twipsPerPixelY));
        shape.show();
        s.currentShape = qint16(i);
        const ShapeDefaults& record = shapeDefaultsFor(figure);
        if (record.remember && record.borderWidth)
            applyDefaults(shape, record);
    }
    s.freeze.objectsAdded = true;
    showPositionItemsForShape(items);
    return i >= 0;
}

LoadedPicture loadPicture(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {QImage(), 53, QStringLiteral("File not found")};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const int count = reader.imageCount();
    QImage picture = reader.read();
    if (QImageReader::imageFormat(path) == "ico") {
        // An icon holds several sizes; the 32 x 32 one is the icon's usual look.
        for (int n = 1; n < count && picture.size() != QSize(32, 32); ++n) {
            if (!reader.jumpToImage(n))
                break;
            const QImage next = reader.read();
            if (next.isNull())
                break;
            if (next.size() == QSize(32, 32))
                picture = next;
        }
    }
    if (picture.isNull())
        return {QImage(), 481, QStringLiteral("Invalid picture")};
    return {picture, 0, QString()};
}

bool addImage(const ObjectItems& items, const QImage& picture, double twipsPerPixelX,
              double twipsPerPixelY) {
    auto& s = state();
    const int i = firstFree(items.images);
    if (i >= 0) {
        CanvasImage& image = *items.images[i];
        image.setPicture(picture);
        // The natural size, so that the picture shows pixel for pixel.
        image.setGeometry(s.newObjectPos.x(), s.newObjectPos.y(),
                          float(picture.width() * twipsPerPixelX),
                          float(picture.height() * twipsPerPixelY));
        image.show();
        s.currentImage = qint16(i);
    }
    s.freeze.objectsAdded = true;
    showPositionItemsForImage(items);
    return i >= 0;
}

}  // namespace qv::objects
