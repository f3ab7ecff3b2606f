#pragma once

#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/printersetup.h"
#include "output/printing/units.h"

namespace qv::output {

// What the Page Setup preview is drawn from.
struct CurrentPreviewInput {
    PageMetrics page;  // the page in the orientation printed
    Margins margins;   // as the margin boxes give them, in units
    std::optional<Units> units;
    QString decimalSeparator;
    std::optional<Units> readoutUnits;  // the locale's: centimetres or inches
    QSize capture;                      // empty without a capture
    bool circle = false;                // the capture is a circle: one number, its diameter
    double screenTwipsPerPixel = 15;
    QString alignment;
};

// The Page Setup preview in twips on screen, drawn at 1:4.8 and then at 0.9 of that, centred
// in the same area as the Default Printing preview.
struct CurrentPreview {
    QSizeF page;             // the page in preview units (twips / 4.8)
    PreviewMargins margins;  // the margins in preview units, what Page Setup prints with
    QRectF pageBox;          // the drawn page inside the area
    QRectF frame;            // the margin frame, from the page box's corner
    // Where the capture is drawn, from the page box's corner, as big as it prints; nothing
    // without a capture or when the margins leave no room.
    std::optional<QRectF> captureBox;
    QString readout;  // "Print Size :  ..." for the capture box; empty without one
};

// The preview of the current page setup; unknown units leave the margins at 0.
CurrentPreview computeCurrentPreview(const CurrentPreviewInput& input);

}  // namespace qv::output
