#pragma once

#include <QImage>

namespace qv::picmenu {

// A drawing surface that only grows: one item is painted into it and then drawn in one block,
// so a popup never shows a half-painted item. A new size does not keep the old pixels.
// Sizes are logical pixels; the surface holds them at its pixel ratio, so that a scaled screen
// gets every device pixel painted, not a 1x picture enlarged.
class OffscreenCanvas {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    // A larger width makes a new surface of that width and the current height; a width not
    // larger than the current one changes nothing. Likewise setHeight.
    void setWidth(int width);
    void setHeight(int height);
    // Device pixels per logical pixel; a ratio other than the current one makes a new surface
    // of the same logical size.
    void setPixelRatio(qreal ratio);
    qreal pixelRatio() const { return ratio_; }
    // The surface; null while either side is 0.
    QImage& image() { return image_; }
    // Drops the surface (0 x 0).
    void release();

private:
    void resize(int width, int height);

    int width_ = 0;
    int height_ = 0;
    qreal ratio_ = 1;
    QImage image_;
};

}  // namespace qv::picmenu
