#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <optional>

namespace qv::output {

// Margins in millimetres, measured from the paper's edges.
struct MarginsMm {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// How far an alignment name moves a picture across the free space: 0 left or top, 0.5
// centred, 1 right or bottom. Nothing for a text that is none of the nine names.
std::optional<QPointF> alignmentFactors(const QString& alignment);

// Where a picture of natural size image goes on a paper of size paper, everything in
// millimetres from the paper's top-left corner: it keeps its natural size when it fits between
// the margins, is scaled down with its proportions kept when it does not, and is placed in the
// area by the alignment (an unknown alignment leaves it in the area's top-left corner).
// Nothing when the margins leave no room.
std::optional<QRectF> placePicture(const QSizeF& image, const QSizeF& paper,
                                   const MarginsMm& margins, const QString& alignment);

}  // namespace qv::output
