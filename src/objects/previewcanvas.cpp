#include "objects/previewcanvas.h"

#include <QImage>

namespace qv::objects {

toolkit::FrozenCanvas* makePreviewCanvas(QWidget* parent, double widthTwips, double heightTwips,
                                         const QColor& background) {
    auto* canvas = new toolkit::FrozenCanvas(parent);
    canvas->resizeTwips(widthTwips, heightTwips);
    canvas->setFixedSize(canvas->size());
    QImage plain(canvas->pixelSize(), QImage::Format_RGB32);
    plain.fill(background);
    canvas->setPicture(plain);
    return canvas;
}

}  // namespace qv::objects
