#include "toolkit/canvas.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "toolkit/twips.h"

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

Qt::PenStyle dashes(CanvasShape::BorderStyle style) {
    switch (style) {
        case CanvasShape::Dash:
            return Qt::DashLine;
        case CanvasShape::Dot:
            return Qt::DotLine;
        case CanvasShape::DashDot:
            return Qt::DashDotLine;
        case CanvasShape::DashDotDot:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
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
        const bool patterned = style_ >= Dash && style_ <= DashDotDot;
        if (borderWidth_ == 1 || (patterned && borderWidth_ == 1)) {
            QPen pen(color_, 0, dashes(style_));
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            const QRect outline = box.adjusted(0, 0, -1, -1);
            if (shape_ == Oval || shape_ == Circle) {
                painter.drawEllipse(outline);
            } else if (shape_ == RoundedRectangle || shape_ == RoundedSquare) {
                const qreal radius = std::min(outline.width(), outline.height()) / 6.0;
                painter.drawRoundedRect(outline, radius, radius);
            } else {
                painter.drawRect(outline);
            }
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

void CanvasLine::paint(QPainter& painter, const QRect& pixels) const {
    // The ends sit at the corners of the spanned rectangle that their order names.
    const int left = pixels.left();
    const int right = pixels.left() + std::max(pixels.width() - 1, 0);
    const int top = pixels.top();
    const int bottom = pixels.top() + std::max(pixels.height() - 1, 0);
    const QPoint from(x1_ <= x2_ ? left : right, y1_ <= y2_ ? top : bottom);
    const QPoint to(x1_ <= x2_ ? right : left, y1_ <= y2_ ? bottom : top);
    // The pixels are chosen here rather than by the painter, which picks other ones for a line
    // cut by its clip: an area's capture must show the line as the whole screen does.
    QPolygon points;
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    points.reserve(std::max(dx, -dy) + 1);
    while (true) {
        points.append(at);
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
    QPen pen(color_, 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPoints(points);
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

void CanvasLabel::fitToCaption() {
    // Fonts are measured in logical pixels; the canvas lays out device pixels.
    const QSizeF size = QSizeF(QFontMetrics(font_).size(Qt::TextSingleLine, caption_)) *
                        canvas_.devicePixelRatioF();
    const QPointF perPixel = canvas_.twipsPerPixel();
    setGeometry(left(), top(), size.width() * perPixel.x(), size.height() * perPixel.y());
    changed();
}

void CanvasLabel::paint(QPainter& painter, const QRect& pixels) const {
    if (backgroundColor_.alpha() != 0)
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

FrozenCanvas::FrozenCanvas(QWidget* parent)
    : QWidget(parent), twipsPerPixel_([] { return QPointF(15, 15); }) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

FrozenCanvas::~FrozenCanvas() = default;

template <class Item>
Item* FrozenCanvas::add(CanvasItem::Role role) {
    items_.push_back(std::make_unique<Item>(*this, role));
    update();
    return static_cast<Item*>(items_.back().get());
}

CanvasShape* FrozenCanvas::addShape(CanvasItem::Role role) {
    return add<CanvasShape>(role);
}

CanvasLabel* FrozenCanvas::addLabel(CanvasItem::Role role) {
    return add<CanvasLabel>(role);
}

CanvasLine* FrozenCanvas::addLine(CanvasItem::Role role) {
    return add<CanvasLine>(role);
}

CanvasImage* FrozenCanvas::addImage(CanvasItem::Role role) {
    return add<CanvasImage>(role);
}

void FrozenCanvas::bringToFront(const CanvasItem* item) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [item](const auto& owned) { return owned.get() == item; });
    if (it == items_.end() || it + 1 == items_.end())
        return;
    std::rotate(it, it + 1, items_.end());
    if (item->isVisible())
        updateItem(*item);
}

bool FrozenCanvas::anyVisible(CanvasItem::Role role) const {
    return std::any_of(items_.begin(), items_.end(), [role](const auto& item) {
        return item->role() == role && item->isVisible();
    });
}

void FrozenCanvas::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void FrozenCanvas::clearPicture() {
    picture_ = QImage();
    update();
}

void FrozenCanvas::resizeTwips(double width, double height) {
    pixelSize_ = toPixels(QRectF(0, 0, width, height)).size();
    // On a scaled display the logical size is rounded up, so no strip of device pixels at the
    // right or bottom edge is left uncovered.
    const qreal ratio = devicePixelRatioF();
    resize(int(std::ceil(pixelSize_.width() / ratio)), int(std::ceil(pixelSize_.height() / ratio)));
}

QSize FrozenCanvas::pixelSize() const {
    return pixelSize_.isValid() ? pixelSize_ : size() * devicePixelRatioF();
}

QRect FrozenCanvas::toPixels(const QRectF& twips) const {
    const QPointF perPixel = twipsPerPixel_();
    return QRect(
        twipsToPixels(twips.left(), perPixel.x()), twipsToPixels(twips.top(), perPixel.y()),
        twipsToPixels(twips.width(), perPixel.x()), twipsToPixels(twips.height(), perPixel.y()));
}

namespace {

QRect reach(const QRect& box, int overhang) {
    return box.adjusted(-overhang, -overhang, overhang, overhang);
}

}  // namespace

void FrozenCanvas::updateItem(const CanvasItem& item) {
    const QRect pixels = reach(toPixels(item.geometry()), item.overhang() + 1);
    const qreal ratio = devicePixelRatioF();
    const QRectF logical(pixels.left() / ratio, pixels.top() / ratio, pixels.width() / ratio,
                         pixels.height() / ratio);
    update(logical.toAlignedRect().adjusted(-1, -1, 1, 1));
}

QImage FrozenCanvas::render(const QRect& pixels) const {
    return render(pixels, [](const CanvasItem&) { return true; });
}

QImage FrozenCanvas::render(const QRect& pixels, const ItemFilter& shown) const {
    if (pixels.isEmpty())
        return QImage();
    const bool anyShown = std::any_of(items_.begin(), items_.end(), [&](const auto& item) {
        return item->isVisible() && shown(*item) &&
               reach(toPixels(item->geometry()), item->overhang()).intersects(pixels);
    });
    if (!anyShown) {
        if (picture_.format() == QImage::Format_RGB32 && picture_.rect().contains(pixels))
            return picture_.copy(pixels);  // one copy of the snapshot's rows
        QImage out(pixels.size(), QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter painter(&out);
        painter.drawImage(-pixels.topLeft(), picture_);
        return out;
    }
    // Items are painted where the screen has them, on a device that starts at the canvas's
    // origin, and only then cut out: Qt draws a dashed or sloping line cut by a clip
    // differently once translated, and the capture must hold what the screen shows.
    const QPoint origin(std::min(pixels.left(), 0), std::min(pixels.top(), 0));
    QImage device(pixels.right() + 1 - origin.x(), pixels.bottom() + 1 - origin.y(),
                  QImage::Format_RGB32);
    {
        QPainter painter(&device);
        painter.translate(-origin);
        painter.setClipRect(pixels);
        painter.fillRect(pixels, Qt::black);
        painter.drawImage(QPoint(0, 0), picture_);
        paintItems(painter, pixels, shown);
    }
    return device.copy(pixels.translated(-origin));
}

void FrozenCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Everything is laid out in device pixels, so the snapshot shows one to one.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const QRectF dirty(event->rect());
    const QRect pixels = QRectF(dirty.topLeft() * ratio, dirty.size() * ratio).toAlignedRect();
    painter.fillRect(pixels, Qt::black);
    painter.drawImage(pixels.topLeft(), picture_, pixels);
    paintItems(painter, pixels, [](const CanvasItem&) { return true; });
}

void FrozenCanvas::paintItems(QPainter& painter, const QRect& clip, const ItemFilter& shown) const {
    for (const auto& item : items_) {
        if (!item->isVisible() || !shown(*item))
            continue;
        const QRect box = toPixels(item->geometry());
        if (reach(box, item->overhang()).intersects(clip))
            item->paint(painter, box);
    }
}

CanvasItem* FrozenCanvas::itemAt(QPoint pixel) const {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        CanvasItem* item = it->get();
        if (item->isVisible() && item->takesMouse() && toPixels(item->geometry()).contains(pixel))
            return item;
    }
    return nullptr;
}

namespace {

int buttonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int buttonMask(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

}  // namespace

bool FrozenCanvas::routeMouse(const QMouseEvent& event) {
    const QPoint pixel = (event.position() * devicePixelRatioF()).toPoint();
    CanvasMouse mouse{CanvasMouse::Move, 0, {}};
    switch (event.type()) {
        case QEvent::MouseButtonPress:
            mouse = {CanvasMouse::Down, buttonNumber(event.button()), {}};
            break;
        case QEvent::MouseButtonDblClick:
            mouse = {CanvasMouse::DoubleClick, buttonNumber(event.button()), {}};
            break;
        case QEvent::MouseButtonRelease:
            mouse = {CanvasMouse::Up, buttonNumber(event.button()), {}};
            break;
        case QEvent::MouseMove:
            // A move with no button held means the release went elsewhere.
            if (event.buttons() == Qt::NoButton)
                holder_ = nullptr;
            mouse = {CanvasMouse::Move, buttonMask(event.buttons()), {}};
            break;
        default:
            return false;
    }
    CanvasItem* target = holder_ ? holder_ : itemAt(pixel);
    if (!target) {
        hovered_ = nullptr;
        showPointer();
        return false;
    }
    if (mouse.action == CanvasMouse::Down || mouse.action == CanvasMouse::DoubleClick)
        holder_ = target;
    const QPointF perPixel = twipsPerPixel_();
    mouse.at = QPointF(pixel.x() * perPixel.x() - target->left(),
                       pixel.y() * perPixel.y() - target->top());
    if (mouse.action == CanvasMouse::Up && event.buttons() == Qt::NoButton)
        holder_ = nullptr;
    target->mouse_(mouse);
    // The handler may have moved or hidden items, the one under the pointer among them.
    hovered_ = itemAt(pixel);
    showPointer();
    return true;
}

void FrozenCanvas::showPointer() {
    const CanvasItem* over = holder_;
    if (!over)
        over = hovered_;
    setCursor(over ? QCursor(cursorShape(over->mousePointer())) : areaCursor_);
}

void FrozenCanvas::setAreaCursor(const QCursor& cursor) {
    areaCursor_ = cursor;
    if (!holder_ && !hovered_)
        setCursor(cursor);
}

Qt::CursorShape FrozenCanvas::cursorShape(int pointer) {
    switch (pointer) {
        case 15:
            return Qt::SizeAllCursor;
        case 8:
            return Qt::SizeFDiagCursor;
        case 7:
            return Qt::SizeVerCursor;
        case 6:
            return Qt::SizeBDiagCursor;
        case 9:
            return Qt::SizeHorCursor;
        case 11:
            return Qt::WaitCursor;
        default:
            return Qt::ArrowCursor;
    }
}

bool FrozenCanvas::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const CanvasItem* item = itemAt((QPointF(help->pos()) * devicePixelRatioF()).toPoint());
        if (item && !item->toolTip().isEmpty())
            QToolTip::showText(help->globalPos(), item->toolTip(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace qv::toolkit
