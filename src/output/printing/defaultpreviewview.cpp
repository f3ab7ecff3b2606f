#include "output/printing/defaultpreviewview.h"

#include <QPainter>
#include <QPen>

#include "toolkit/twips.h"

namespace qv::output {

DefaultPreviewView::DefaultPreviewView(QWidget* parent) : QWidget(parent) {
    const double tpp = twipsPerPixel();
    setFixedSize(qRound(preview::kArea.width() / tpp), qRound(preview::kArea.height() / tpp));
}

double DefaultPreviewView::twipsPerPixel() const {
    return toolkit::twipsPerPixel(logicalDpiX());
}

void DefaultPreviewView::show(const DefaultPreview& preview) {
    preview_ = preview;
    update();
}

void DefaultPreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().dark().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const double scale = 1.0 / twipsPerPixel();
    painter.scale(scale, scale);

    const QRectF page = preview_.pageBox;
    painter.fillRect(QRectF(preview_.shadow(), page.size()), QColor(0x80, 0x80, 0x80));
    painter.fillRect(page, Qt::white);

    // The sample and the frame belong to the page and end at its edges.
    painter.save();
    painter.translate(page.topLeft());
    painter.setClipRect(QRectF(QPointF(), page.size()));
    if (preview_.frame) {
        QPen dotted(Qt::blue, 0, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(*preview_.frame);
    }
    const QRectF sample(preview_.sample, QSizeF(preview::kSampleSize, preview::kSampleSize));
    painter.fillRect(sample, Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(sample);
    painter.setPen(QPen(Qt::red, 0));
    painter.drawLine(sample.topLeft(), sample.bottomRight());
    painter.drawLine(sample.topRight(), sample.bottomLeft());
    painter.restore();
}

}  // namespace qv::output
