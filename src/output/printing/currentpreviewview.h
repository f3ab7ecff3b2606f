#pragma once

#include <QImage>
#include <QWidget>

#include "output/printing/currentpreview.h"

namespace qv::output {

// Paints a Page Setup preview: its twips scaled to the screen's pixels, the capture drawn into
// its box. The scaled copy of the capture is kept for as long as the box keeps its size.
class CurrentPreviewView : public QWidget {
public:
    explicit CurrentPreviewView(QWidget* parent);

    // circle: with no picture to show, the placeholder is a circle.
    void show(const CurrentPreview& preview, const QImage& capture, bool circle);
    const CurrentPreview& preview() const { return preview_; }
    // The capture as last scaled for its box; null before.
    const QImage& scaledCapture() const { return scaled_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double twipsPerPixel() const;
    QRect captureBoxInPixels() const;
    void scaleCapture();

    CurrentPreview preview_;
    QImage capture_;
    bool circle_ = false;
    QImage scaled_;
    qint64 scaledFrom_ = 0;
};

}  // namespace qv::output
