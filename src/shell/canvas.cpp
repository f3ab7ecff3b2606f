#include "shell/canvas.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "capture/capturestate.h"
#include "toolkit/twips.h"

namespace qv::shell {

void CanvasItem::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    changed();
}

void CanvasItem::setGeometry(double left, double top, double width, double height) {
    geometry_ = QRectF(left, top, width, height);
    changed();
}

void CanvasItem::move(double left, double top) {
    geometry_.moveTo(left, top);
    changed();
}

void CanvasItem::changed() {
    canvas_.update();
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

void CanvasShape::paint(QPainter& painter, const QRect& pixels) const {
    if (pixels.width() <= 0 || pixels.height() <= 0)
        return;
    QPen pen(color_, 0, style_ == Dot ? Qt::DotLine : Qt::SolidLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (shape_ == Circle) {
        // The circle stands in the middle of its rectangle, as wide as the shorter side.
        const int side = std::min(pixels.width(), pixels.height());
        QRect square(0, 0, side, side);
        square.moveCenter(pixels.center());
        painter.drawEllipse(square.adjusted(0, 0, -1, -1));
    } else {
        painter.drawRect(pixels.adjusted(0, 0, -1, -1));
    }
}

void CanvasLine::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
}

void CanvasLine::setBorderColor(const QColor& color) {
    color_ = color;
    changed();
}

void CanvasLine::paint(QPainter& painter, const QRect& pixels) const {
    QPen pen(color_, 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    // The ends sit at the corners of the spanned rectangle that their order names.
    const int left = pixels.left();
    const int right = pixels.left() + std::max(pixels.width() - 1, 0);
    const int top = pixels.top();
    const int bottom = pixels.top() + std::max(pixels.height() - 1, 0);
    painter.drawLine(QPoint(x1_ <= x2_ ? left : right, y1_ <= y2_ ? top : bottom),
                     QPoint(x1_ <= x2_ ? right : left, y1_ <= y2_ ? bottom : top));
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
    const auto& captureState = capture::state();
    setGeometry(left(), top(), size.width() * captureState.twipsPerPixelX,
                size.height() * captureState.twipsPerPixelY);
}

void CanvasLabel::paint(QPainter& painter, const QRect& pixels) const {
    painter.fillRect(pixels, backgroundColor_);
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

FrozenCanvas::FrozenCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

FrozenCanvas::~FrozenCanvas() = default;

CanvasShape* FrozenCanvas::addShape(CanvasItem::Role role) {
    items_.push_back(std::make_unique<CanvasShape>(*this, role));
    update();
    return static_cast<CanvasShape*>(items_.back().get());
}

CanvasLabel* FrozenCanvas::addLabel(CanvasItem::Role role) {
    items_.push_back(std::make_unique<CanvasLabel>(*this, role));
    update();
    return static_cast<CanvasLabel*>(items_.back().get());
}

CanvasLine* FrozenCanvas::addLine(CanvasItem::Role role) {
    items_.push_back(std::make_unique<CanvasLine>(*this, role));
    update();
    return static_cast<CanvasLine*>(items_.back().get());
}

void FrozenCanvas::bringToFront(const CanvasItem* item) {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [item](const auto& owned) { return owned.get() == item; });
    if (it == items_.end())
        return;
    std::rotate(it, it + 1, items_.end());
    update();
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
    const auto& captureState = capture::state();
    using toolkit::twipsToPixels;
    return QRect(twipsToPixels(twips.left(), captureState.twipsPerPixelX),
                 twipsToPixels(twips.top(), captureState.twipsPerPixelY),
                 twipsToPixels(twips.width(), captureState.twipsPerPixelX),
                 twipsToPixels(twips.height(), captureState.twipsPerPixelY));
}

QImage FrozenCanvas::render(const QRect& pixels) const {
    return render(pixels, [](const CanvasItem&) { return true; });
}

QImage FrozenCanvas::render(const QRect& pixels, const ItemFilter& shown) const {
    if (pixels.isEmpty())
        return QImage();
    QImage out;
    if (picture_.format() == QImage::Format_RGB32 && picture_.rect().contains(pixels)) {
        // One copy of the snapshot's rows; most areas hold no item at all.
        out = picture_.copy(pixels);
    } else {
        out = QImage(pixels.size(), QImage::Format_RGB32);
        out.fill(Qt::black);
        QPainter painter(&out);
        painter.drawImage(-pixels.topLeft(), picture_);
    }
    const bool anyShown = std::any_of(items_.begin(), items_.end(), [&](const auto& item) {
        return item->isVisible() && shown(*item);
    });
    if (anyShown && !out.isNull()) {
        QPainter painter(&out);
        painter.translate(-pixels.topLeft());
        paintItems(painter, shown);
    }
    return out;
}

void FrozenCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Everything is laid out in device pixels, so the snapshot shows one to one.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(QRect(QPoint(0, 0), size() * ratio), Qt::black);
    painter.drawImage(QPoint(0, 0), picture_);
    paintItems(painter, [](const CanvasItem&) { return true; });
}

void FrozenCanvas::paintItems(QPainter& painter, const ItemFilter& shown) const {
    for (const auto& item : items_) {
        if (item->isVisible() && shown(*item))
            item->paint(painter, toPixels(item->geometry()));
    }
}

}  // namespace qv::shell
