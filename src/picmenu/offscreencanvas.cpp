#include "picmenu/offscreencanvas.h"

namespace qv::picmenu {

void OffscreenCanvas::setWidth(int width) {
    if (width > width_)
        resize(width, height_);
}

void OffscreenCanvas::setHeight(int height) {
    if (height > height_)
        resize(width_, height);
}

void OffscreenCanvas::release() {
    width_ = 0;
    height_ = 0;
    image_ = QImage();
}

void OffscreenCanvas::resize(int width, int height) {
    width_ = width;
    height_ = height;
    image_ = width > 0 && height > 0 ? QImage(width, height, QImage::Format_ARGB32_Premultiplied)
                                     : QImage();
}

}  // namespace qv::picmenu
