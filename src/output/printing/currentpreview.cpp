#include "output/printing/currentpreview.h"

#include <cmath>

#include "output/printing/defaultpreview.h"
#include "output/printing/placement.h"
#include "toolkit/numbers.h"

namespace qv::output {

namespace {

constexpr double kTwipsPerCm = 567;
constexpr double kTwipsPerInch = 1440;

QString twoDecimals(double value, const QString& separator) {
    return toolkit::numberText(std::round(value * 100) / 100, separator);
}

// printed: the size the capture prints at, in preview units.
QString readoutOf(const QSizeF& printed, const CurrentPreviewInput& input) {
    using namespace preview;
    if (!input.readoutUnits)
        return {};
    const bool metric = *input.readoutUnits == Units::Metric;
    const double perUnit = metric ? kTwipsPerCm : kTwipsPerInch;
    const QString unit = metric ? QStringLiteral("  cm") : QStringLiteral("  inches");
    const QString width = twoDecimals(printed.width() * kScale / perUnit, input.decimalSeparator);
    if (input.circle)
        return QStringLiteral("Print Size Diameter :  ") + width + unit;
    const QString height = twoDecimals(printed.height() * kScale / perUnit, input.decimalSeparator);
    return QStringLiteral("Print Size :  ") + width + QStringLiteral("  X  ") + height + unit;
}

}  // namespace

CurrentPreview computeCurrentPreview(const CurrentPreviewInput& input) {
    using namespace preview;
    CurrentPreview result;
    result.page = {input.page.width * input.page.factorX / kScale,
                   input.page.height * input.page.factorY / kScale};
    if (const auto twips = marginsInTwips(input.margins, input.units, input.decimalSeparator)) {
        result.margins = {twips->left / kScale, twips->top / kScale, twips->right / kScale,
                          twips->bottom / kScale};
    }
    const QSizeF drawn = result.page * kZoom;
    result.pageBox = QRectF(
        QPointF((kArea.width() - drawn.width()) / 2, (kArea.height() - drawn.height()) / 2), drawn);
    const PreviewMargins& m = result.margins;
    // The frame's right and bottom edges sit a little inside, so they stay visible.
    result.frame = QRectF(
        QPointF(kZoom * m.left, kZoom * m.top),
        QPointF(drawn.width() - kZoom * m.right - 15, drawn.height() - kZoom * m.bottom - 10));

    if (input.capture.isEmpty())
        return result;
    // Drawn as it prints: the same fit and alignment as the print, inside the frame.
    const double zoomedTwips = input.screenTwipsPerPixel / kScale * kZoom;
    const QSizeF image(input.capture.width() * zoomedTwips, input.capture.height() * zoomedTwips);
    const auto placed = placePicture(image, result.frame.size(), MarginsMm{}, input.alignment);
    if (!placed)
        return result;
    result.captureBox = placed->translated(result.frame.topLeft());
    // The readout tells what the print will measure, read off the page, not off the box.
    const QSizeF natural = image / kZoom;
    const MarginsMm onPage{m.left, m.top, m.right, m.bottom};
    if (const auto printed = placePicture(natural, result.page, onPage, input.alignment))
        result.readout = readoutOf(printed->size(), input);
    return result;
}

}  // namespace qv::output
