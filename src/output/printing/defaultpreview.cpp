#include "output/printing/defaultpreview.h"

#include "output/printing/placement.h"
#include "toolkit/numbers.h"

namespace qv::output {

namespace {

constexpr double kTwipsPerCm = 567;
constexpr double kTwipsPerInch = 1440;

std::optional<PreviewMargins> marginsInPreviewTwips(const Margins& margins,
                                                    std::optional<Units> units,
                                                    const QString& separator) {
    if (!units)
        return std::nullopt;
    const double twipsPerUnit = *units == Units::Metric ? kTwipsPerCm / 10 : kTwipsPerInch;
    const auto convert = [&](const QString& text) {
        return toolkit::numberFromText(text, separator) * twipsPerUnit / preview::kScale;
    };
    return PreviewMargins{convert(margins.left), convert(margins.top), convert(margins.right),
                          convert(margins.bottom)};
}

}  // namespace

QSizeF previewPageOf(const platform::PrinterMetrics& portrait) {
    return {portrait.paper.width() * portrait.twipsPerPixelX() / preview::kScale,
            portrait.paper.height() * portrait.twipsPerPixelY() / preview::kScale};
}

DefaultPreview computeDefaultPreview(const PreviewInput& input, const DefaultPreview& previous) {
    using namespace preview;
    DefaultPreview result = previous;
    result.printerError = !input.printerUsable;
    result.page = previewPageOf(input.portrait);
    if (const auto margins =
            marginsInPreviewTwips(input.setup.margins, input.units, input.decimalSeparator))
        result.margins = *margins;

    const PreviewMargins& m = result.margins;
    const QString& orientation = input.setup.orientation;
    QRectF area;  // where the sample may go, from the page box's corner
    if (orientation == QStringLiteral("Portrait") || orientation == QStringLiteral("Landscape")) {
        QSizeF drawn = result.page * kZoom;
        if (orientation == QStringLiteral("Landscape"))
            drawn.transpose();
        result.pageBox = QRectF(
            QPointF((kArea.width() - drawn.width()) / 2, (kArea.height() - drawn.height()) / 2),
            drawn);
        // The frame's right and bottom edges sit a little inside, so they stay visible.
        area = QRectF(
            QPointF(kZoom * m.left, kZoom * m.top),
            QPointF(drawn.width() - kZoom * m.right - 15, drawn.height() - kZoom * m.bottom - 10));
        result.frame = area;
    } else {
        result.frame.reset();
    }

    if (const auto k = alignmentFactors(input.setup.alignment)) {
        const auto offset = [](double factor, double free) {
            return factor == 0 ? kInset : factor == 1 ? free - kInset : free / 2;
        };
        result.sample = area.topLeft() + QPointF(offset(k->x(), area.width() - kSampleSize),
                                                 offset(k->y(), area.height() - kSampleSize));
    }
    return result;
}

}  // namespace qv::output
