#include "output/printing/placement.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace qv::output {

std::optional<QPointF> alignmentFactors(const QString& alignment) {
    struct Factors {
        const char16_t* name;
        double kx;
        double ky;
    };
    static constexpr std::array<Factors, 9> table{{
        {u"Top Left", 0, 0},
        {u"Top Centered", 0.5, 0},
        {u"Top Right", 1, 0},
        {u"Centered Left", 0, 0.5},
        {u"Centered", 0.5, 0.5},
        {u"Centered Right", 1, 0.5},
        {u"Bottom Left", 0, 1},
        {u"Bottom Centered", 0.5, 1},
        {u"Bottom Right", 1, 1},
    }};
    for (const Factors& f : table) {
        if (alignment == QStringView(f.name))
            return QPointF(f.kx, f.ky);
    }
    return std::nullopt;
}

std::optional<QRectF> placePicture(const QSizeF& image, const QSizeF& paper,
                                   const MarginsMm& margins, const QString& alignment) {
    const QRectF area(margins.left, margins.top, paper.width() - margins.left - margins.right,
                      paper.height() - margins.top - margins.bottom);
    if (area.width() <= 0 || area.height() <= 0 || image.isEmpty())
        return std::nullopt;

    // Equal to the area is not larger; a picture is never enlarged.
    const bool wider = image.width() > area.width();
    const bool taller = image.height() > area.height();
    QSizeF fitted = image;
    if (wider && taller) {
        const double scale = std::min(area.width() / image.width(), area.height() / image.height());
        fitted = {image.width() * scale, image.height() * scale};
    } else if (wider) {
        fitted = {area.width(), image.height() * area.width() / image.width()};
    } else if (taller) {
        fitted = {image.width() * area.height() / image.height(), area.height()};
    }

    const QPointF k = alignmentFactors(alignment).value_or(QPointF(0, 0));
    return QRectF(area.x() + k.x() * (area.width() - fitted.width()),
                  area.y() + k.y() * (area.height() - fitted.height()), fitted.width(),
                  fitted.height());
}

}  // namespace qv::output
