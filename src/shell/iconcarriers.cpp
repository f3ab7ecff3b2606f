#include "shell/iconcarriers.h"

#include <QPainter>
#include <QPixmap>

namespace qv::shell {

namespace {

constexpr int kSize = 32;

void drawCross(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(16, 2, 16, 30);
    p.drawLine(2, 16, 30, 16);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(17, 2, 17, 30);
    p.drawLine(2, 17, 30, 17);
}

}  // namespace

QIcon carrierIcon(CarrierIcon which) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (which) {
        case CarrierIcon::RectangleArea:
            drawCross(p);
            p.setPen(QPen(Qt::black, 1));
            p.drawRect(20, 20, 10, 8);
            break;
        case CarrierIcon::CircleArea:
            drawCross(p);
            p.setPen(QPen(Qt::black, 1));
            p.drawEllipse(20, 20, 10, 10);
            break;
        case CarrierIcon::Clipboard:
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(0xc8, 0x96, 0x5a));
            p.drawRect(6, 4, 20, 26);
            p.setBrush(Qt::white);
            p.drawRect(9, 8, 14, 19);
            p.setBrush(Qt::gray);
            p.drawRect(12, 2, 8, 5);
            break;
        case CarrierIcon::Saving:
            // A diskette: body, shutter and label.
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(QColor(0x30, 0x50, 0x90));
            p.drawRect(4, 4, 24, 24);
            p.setBrush(QColor(0xc0, 0xc0, 0xc0));
            p.drawRect(10, 4, 12, 8);
            p.setBrush(Qt::white);
            p.drawRect(8, 17, 16, 11);
            break;
    }
    return QIcon(pixmap);
}

QCursor IconCarrier::pointer() const {
    return QCursor(windowIcon().pixmap(kSize, kSize), kSize / 2, kSize / 2);
}

}  // namespace qv::shell
