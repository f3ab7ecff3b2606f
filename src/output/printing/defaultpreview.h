#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/units.h"
#include "platform/printer.h"

namespace qv::output {

// The Default Printing preview in twips: the page reduced to 1:4.8 and drawn at 0.9 of that,
// centred in a fixed area, with the margin frame and a sample picture at the alignment.
namespace preview {
inline constexpr double kScale = 4.8;
inline constexpr double kZoom = 0.9;
inline constexpr QSizeF kArea{4215, 3975};
inline constexpr double kShadowOffset = 100;
inline constexpr double kSampleSize = 355;
inline constexpr double kInset = 50;
}  // namespace preview

struct DefaultPreview {
    QSizeF page;                  // the printer's portrait page in preview twips
    PreviewMargins margins;       // the margins in preview twips
    QRectF pageBox;               // the drawn page inside the area
    std::optional<QRectF> frame;  // the margin frame, from the page box's corner
    QPointF sample;               // the sample picture's corner, from the page box's corner
    bool printerError = false;

    QPointF shadow() const {
        return pageBox.topLeft() + QPointF(preview::kShadowOffset, preview::kShadowOffset);
    }
};

// What the preview is drawn from.
struct PreviewInput {
    bool printerUsable = false;
    platform::PrinterMetrics portrait;  // the printer's metrics in portrait orientation
    DefaultPageSetup setup;
    std::optional<Units> units;
    QString decimalSeparator;
};

// The printer's portrait page in preview twips.
QSizeF previewPageOf(const platform::PrinterMetrics& portrait);

// The preview after previous for input. An orientation that is neither "Portrait" nor
// "Landscape" leaves the page box as it was and draws no frame; an unknown alignment leaves
// the sample where it was; unknown units leave the margins as they were.
DefaultPreview computeDefaultPreview(const PreviewInput& input, const DefaultPreview& previous);

}  // namespace qv::output
