#include "objects/previewcanvas.h"

#include <QImage>
#include <cmath>

namespace qv::objects {

toolkit::FrozenCanvas* makePreviewCanvas(QWidget* parent, double widthTwips, double heightTwips,
                                         const QColor& background) {
    auto* canvas = new toolkit::FrozenCanvas(parent);
    canvas->resizeTwips(widthTwips, heightTwips);
    canvas->setFixedSize(canvas->size());
    // The logical size is rounded up, so on a scaled display the widget covers a few device
    // pixels more than the twips ask for: the background reaches into them too.
    const qreal ratio = canvas->devicePixelRatioF();
    const QSize covered(int(std::ceil(canvas->width() * ratio)),
                        int(std::ceil(canvas->height() * ratio)));
    QImage plain(covered.expandedTo(canvas->pixelSize()), QImage::Format_RGB32);
    plain.fill(background);
    canvas->setPicture(plain);
    return canvas;
}

}  // namespace qv::objects
