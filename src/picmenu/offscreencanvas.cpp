#include "picmenu/offscreencanvas.h"

#include <QtMath>

namespace qv::picmenu {

void OffscreenCanvas::setWidth(int width) {
    if (width > width_)
        resize(width, height_);
}

void OffscreenCanvas::setHeight(int height) {
    if (height > height_)
        resize(width_, height);
}

void OffscreenCanvas::setPixelRatio(qreal ratio) {
    if (ratio > 0 && ratio != ratio_) {
        ratio_ = ratio;
        resize(width_, height_);
    }
}

void OffscreenCanvas::release() {
    width_ = 0;
    height_ = 0;
    image_ = QImage();
}

void OffscreenCanvas::resize(int width, int height) {
    width_ = width;
    height_ = height;
    image_ = QImage();
    if (width <= 0 || height <= 0)
        return;
    image_ =
        QImage(qCeil(width * ratio_), qCeil(height * ratio_), QImage::Format_ARGB32_Premultiplied);
    image_.setDevicePixelRatio(ratio_);
}

}  // namespace qv::picmenu
