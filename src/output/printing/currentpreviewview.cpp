#include "output/printing/currentpreviewview.h"

#include <QPainter>
#include <QPen>

#include "output/printing/defaultpreview.h"
#include "toolkit/twips.h"

namespace qv::output {

CurrentPreviewView::CurrentPreviewView(QWidget* parent) : QWidget(parent) {
    const double tpp = twipsPerPixel();
    setFixedSize(qRound(preview::kArea.width() / tpp), qRound(preview::kArea.height() / tpp));
}

double CurrentPreviewView::twipsPerPixel() const {
    return toolkit::twipsPerPixel(logicalDpiX());
}

void CurrentPreviewView::show(const CurrentPreview& preview, const QImage& capture, bool circle) {
    preview_ = preview;
    capture_ = capture;
    circle_ = circle;
    scaleCapture();
    update();
}

QRect CurrentPreviewView::captureBoxInPixels() const {
    if (!preview_.captureBox)
        return {};
    const double scale = 1.0 / twipsPerPixel();
    const QRectF box = preview_.captureBox->translated(preview_.pageBox.topLeft());
    // Its size rounded apart from its place, so that moving the box never rescales the capture.
    return QRect((box.topLeft() * scale).toPoint(), (box.size() * scale).toSize());
}

void CurrentPreviewView::scaleCapture() {
    const QSize size = captureBoxInPixels().size();
    if (capture_.isNull() || size.isEmpty()) {
        scaled_ = {};
        scaledFrom_ = 0;
        return;
    }
    // Scaling a large capture is the dear part of the preview: a margin or alignment change
    // that keeps the box's size keeps the copy.
    if (scaled_.size() == size && scaledFrom_ == capture_.cacheKey())
        return;
    scaled_ = capture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaledFrom_ = capture_.cacheKey();
}

void CurrentPreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().dark().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    painter.save();
    const double scale = 1.0 / twipsPerPixel();
    painter.scale(scale, scale);
    const QRectF page = preview_.pageBox;
    const QPointF shadow = page.topLeft() + QPointF(preview::kShadowOffset, preview::kShadowOffset);
    painter.fillRect(QRectF(shadow, page.size()), QColor(0x80, 0x80, 0x80));
    painter.fillRect(page, Qt::white);
    painter.translate(page.topLeft());
    painter.setClipRect(QRectF(QPointF(), page.size()));
    painter.setPen(QPen(Qt::blue, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(preview_.frame);
    painter.restore();

    const QRect box = captureBoxInPixels();
    if (box.isEmpty())
        return;
    if (!scaled_.isNull()) {
        painter.drawImage(box.topLeft(), scaled_);
        return;
    }
    // No picture to show: a crossed placeholder of the capture's shape.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QBrush(Qt::black, Qt::DiagCrossPattern));
    painter.setBackground(palette().base());
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QRect inner = box.adjusted(0, 0, -1, -1);
    if (circle_)
        painter.drawEllipse(QRectF(inner.topLeft(), QSizeF(inner.width(), inner.width())));
    else
        painter.drawRect(inner);
}

}  // namespace qv::output
