#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <optional>

#include "output/printing/placement.h"
#include "platform/printer.h"

namespace qv::output {

inline constexpr int kNoRoomOnPage = 1003;
inline constexpr int kNoCapture = 1005;

platform::PrintFailure noRoomFailure();
// A print asked for after the capture went (the desktop was released meanwhile).
platform::PrintFailure noCaptureFailure();

// Prints image copies times at its natural size (screenTwipsPerPixel), scaled down where it
// does not fit, on paper between margins (both in millimetres), placed by alignment.
std::optional<platform::PrintFailure> printAtNaturalSize(
    platform::Printer& printer, const QImage& image, double screenTwipsPerPixel,
    const QSizeF& paper, const MarginsMm& margins, const QString& alignment, int copies);

// Ends a print the frozen screen waited for: the area pointer back, then the failure shown
// (the capture kept for another try) or, on success, the desktop released when the options
// ask for it.
void endFrozenScreenPrint(const std::optional<platform::PrintFailure>& failure);

}  // namespace qv::output
