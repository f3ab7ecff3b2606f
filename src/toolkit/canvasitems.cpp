// The windowless items of the frozen canvas and how each draws itself.
#include "toolkit/canvas.h"
#include "toolkit/outlinepixels.h"
#include "toolkit/twips.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace qv::toolkit {

void CanvasItem::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    canvas_.updateItem(*this);
}

void CanvasItem::setGeometry(double left, double top, double width, double height) {
    const QRectF geometry(left, top, width, height);
    if (geometry == geometry_)
        return;
    changed();
    geometry_ = geometry;
    changed();
}

void CanvasItem::move(double left, double top) {
    setGeometry(left, top, width(), height());
}

void CanvasItem::setMousePointer(int pointer) {
    if (pointer_ == pointer)
        return;
    pointer_ = pointer;
    canvas_.showPointer();
}

void CanvasItem::changed() {
    if (visible_)
        canvas_.updateItem(*this);
}

void CanvasShape::setShape(Shape shape) {
    shape_ = shape;
    changed();
}

void CanvasShape::setBorderColor(const QColor& color) {
    color_ = color;
    changed();
}

void CanvasShape::setBorderStyle(BorderStyle style) {
    style_ = style;
    changed();
}

void CanvasShape::setBorderWidth(int width) {
    // The overhang grows with the width: the old reach is repainted as well as the new one.
    changed();
    borderWidth_ = std::max(width, 1);
    changed();
}

void CanvasShape::setOpaque(bool opaque) {
    opaque_ = opaque;
    changed();
}

void CanvasShape::setBackColor(const QColor& color) {
    backColor_ = color;
    changed();
}

void CanvasShape::setFillStyle(int style) {
    fillStyle_ = style;
    changed();
}

void CanvasShape::setFillColor(const QColor& color) {
    fillColor_ = color;
    changed();
}

QRect CanvasShape::outerBorderBox(const QRect& box, int width) {
    const int out = width / 2;
    return box.adjusted(-out, -out, out, out);
}

QRect CanvasShape::innerBorderBox(const QRect& box, int width) {
    const int in = width - width / 2;
    return box.adjusted(in, in, -in, -in);
}

namespace {

Qt::BrushStyle hatch(int fillStyle) {
    switch (fillStyle) {
        case 0:
            return Qt::SolidPattern;
        case 2:
            return Qt::HorPattern;
        case 3:
            return Qt::VerPattern;
        case 4:
            return Qt::BDiagPattern;
        case 5:
            return Qt::FDiagPattern;
        case 6:
            return Qt::CrossPattern;
        case 7:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}

// The outline of a figure filling box, as a path of whole pixels.
QPainterPath figurePath(CanvasShape::Shape shape, const QRect& box) {
    QPainterPath path;
    const QRectF area(box);
    switch (shape) {
        case CanvasShape::Oval:
        case CanvasShape::Circle:
            path.addEllipse(area);
            break;
        case CanvasShape::RoundedRectangle:
        case CanvasShape::RoundedSquare: {
            const qreal radius = std::min(area.width(), area.height()) / 6;
            path.addRoundedRect(area, radius, radius);
            break;
        }
        default:
            path.addRect(area);
    }
    return path;
}

bool squareFigure(CanvasShape::Shape shape) {
    return shape == CanvasShape::Square || shape == CanvasShape::Circle ||
           shape == CanvasShape::RoundedSquare;
}

}  // namespace

const std::vector<QRect>& CanvasShape::outlinePixels(QSize size) const {
    if (!outline_.valid || outline_.size != size || outline_.shape != shape_ ||
        outline_.style != style_)
        outline_ = {true, size, shape_, style_, patternedOutline(shape_, style_, size)};
    return outline_.runs;
}

void CanvasShape::paint(QPainter& painter, const QRect& pixels) const {
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return;
    QRect box = pixels;
    if (squareFigure(shape_)) {
        // Square figures stand in the middle of their rectangle, as wide as the shorter side.
        const int side = std::min(pixels.width(), pixels.height());
        box = QRect(0, 0, side, side);
        box.moveCenter(pixels.center());
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Patterns are anchored to the canvas, whatever part of it is painted.
    painter.setBrushOrigin(0, 0);
    painter.setPen(Qt::NoPen);
    const QPainterPath inside = figurePath(shape_, box);
    if (opaque_)
        painter.fillPath(inside, backColor_);
    if (const Qt::BrushStyle fill = hatch(fillStyle_); fill != Qt::NoBrush)
        painter.fillPath(inside, QBrush(fillColor_, fill));

    if (style_ != Transparent) {
        // Dashes and dots are drawn at width 1 only; wider borders are solid.
        if (borderWidth_ == 1 && isPatterned(style_)) {
            for (const QRect& run : outlinePixels(box.size()))
                painter.fillRect(run.translated(box.topLeft()), color_);
        } else if (borderWidth_ == 1) {
            QPen pen(color_, 0);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            drawOutline(painter, shape_, box);
        } else {
            // Wider borders are solid; they are filled as the ring between two figures.
            const bool inner = style_ == InsideSolid;
            const QRect outer = inner ? box : outerBorderBox(box, borderWidth_);
            const QRect hole =
                inner ? box.adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_)
                      : innerBorderBox(box, borderWidth_);
            QPainterPath ring = figurePath(shape_, outer);
            if (hole.width() > 0 && hole.height() > 0)
                ring.addPath(figurePath(shape_, hole));
            ring.setFillRule(Qt::OddEvenFill);
            painter.fillPath(ring, color_);
        }
    }
    painter.restore();
}

void CanvasLine::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    changed();
}

void CanvasLine::setBorderColor(const QColor& color) {
    color_ = color;
    changed();
}

void CanvasLine::setBorderWidth(int width) {
    // As with shapes: a thinner line must also repaint where the wider one reached.
    changed();
    borderWidth_ = std::clamp(width, 1, 99);
    changed();
}

void CanvasLine::setBorderStyle(CanvasShape::BorderStyle style) {
    style_ = style;
    changed();
}

std::vector<QRect> CanvasLine::runs(QPoint from, QPoint to, int width,
                                    CanvasShape::BorderStyle style) {
    std::vector<QRect> out;
    if (style == CanvasShape::Transparent)
        return out;
    const std::vector<int> pattern = width == 1 ? dashPattern(style) : std::vector<int>{};
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const bool flat = dx >= -dy;
    const int before = width / 2;
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    size_t part = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    out.reserve(std::max(dx, -dy) + 1);
    while (true) {
        if (pattern.empty() || part % 2 == 0) {
            out.push_back(flat ? QRect(at.x(), at.y() - before, 1, width)
                               : QRect(at.x() - before, at.y(), width, 1));
        }
        if (!pattern.empty() && --left == 0) {
            part = (part + 1) % pattern.size();
            left = pattern[part];
        }
        if (at == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
    return out;
}

void CanvasLine::paint(QPainter& painter, const QRect&) const {
    // The pixels are chosen here rather than by the painter, which picks other ones for a line
    // cut by its clip: an area's capture must show the line as the whole screen does.
    const QPointF perPixel = canvas_.twipsPerPixel();
    const QPoint from(twipsToPixels(x1_, perPixel.x()), twipsToPixels(y1_, perPixel.y()));
    const QPoint to(twipsToPixels(x2_, perPixel.x()), twipsToPixels(y2_, perPixel.y()));
    for (const QRect& run : runs(from, to, borderWidth_, style_))
        painter.fillRect(run, color_);
}

void CanvasLabel::setCaption(const QString& caption) {
    caption_ = caption;
    fitToCaption();
}

void CanvasLabel::setFont(const QFont& font) {
    font_ = font;
    fitToCaption();
}

void CanvasLabel::setTextColor(const QColor& color) {
    textColor_ = color;
    changed();
}

void CanvasLabel::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    changed();
}

void CanvasLabel::setOpaque(bool opaque) {
    opaque_ = opaque;
    changed();
}

void CanvasLabel::fitToCaption() {
    // Fonts are measured in logical pixels; the canvas lays out device pixels.
    const QSizeF size = QSizeF(QFontMetrics(font_).size(0, caption_)) * canvas_.devicePixelRatioF();
    const QPointF perPixel = canvas_.twipsPerPixel();
    setGeometry(left(), top(), size.width() * perPixel.x(), size.height() * perPixel.y());
    changed();
}

void CanvasLabel::paint(QPainter& painter, const QRect& pixels) const {
    if (opaque_ && backgroundColor_.alpha() != 0)
        painter.fillRect(pixels, backgroundColor_);
    if (caption_.isEmpty())
        return;
    painter.setPen(textColor_);
    painter.setFont(font_);
    // On a scaled display the text keeps the size it has in every other window.
    const qreal ratio = canvas_.devicePixelRatioF();
    painter.save();
    painter.translate(pixels.topLeft());
    painter.scale(ratio, ratio);
    painter.drawText(QRectF(0, 0, pixels.width() / ratio, pixels.height() / ratio),
                     Qt::AlignLeft | Qt::AlignVCenter, caption_);
    painter.restore();
}

void CanvasImage::setPicture(const QImage& picture) {
    picture_ = picture;
    changed();
}

void CanvasImage::paint(QPainter& painter, const QRect& pixels) const {
    if (picture_.isNull() || pixels.width() <= 0 || pixels.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (pixels.size() == picture_.size())
        painter.drawImage(pixels.topLeft(), picture_);
    else
        painter.drawImage(pixels, picture_);
    painter.restore();
}

}  // namespace qv::toolkit
