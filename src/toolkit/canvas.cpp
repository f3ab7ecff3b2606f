#include "toolkit/canvas.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "toolkit/twips.h"

namespace qv::toolkit {

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
    // A canvas at an odd logical position on a display scaled by 1.5 starts between two
    // device pixels, where fills and lines round to different sides: its pixels are laid on
    // the device's.
    const QTransform placed = painter.deviceTransform();
    painter.translate(std::round(placed.dx()) - placed.dx(), std::round(placed.dy()) - placed.dy());
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
                releaseMouseHold();
            mouse = {CanvasMouse::Move, buttonMask(event.buttons()), {}};
            break;
        default:
            return false;
    }
    const bool pressed =
        mouse.action == CanvasMouse::Down || mouse.action == CanvasMouse::DoubleClick;
    // A press with no other button held starts afresh: the release of the last one was lost.
    if (pressed && event.buttons() == event.button())
        pictureHolds_ = false;
    CanvasItem* target = pictureHolds_ ? nullptr : holder_ ? holder_ : itemAt(pixel);
    if (!target) {
        if (pressed)
            pictureHolds_ = true;
        else if (mouse.action == CanvasMouse::Up && event.buttons() == Qt::NoButton)
            pictureHolds_ = false;
        hovered_ = nullptr;
        showPointer();
        return false;
    }
    if (pressed)
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
