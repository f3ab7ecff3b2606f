#pragma once

#include <QImage>
#include <QString>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/printersetup.h"
#include "platform/printer.h"

namespace qv::output {

// The printer settings of a Page Setup print: copies from the printer setup when it chose
// some, else from the copies box (rounded, 1 to 1000); the orientation of the window; paper,
// tray, colour and duplex only where the printer setup chose them. Returns the copies.
int preparePageSetupPrinter(platform::Printer& printer, const PrinterSetup& setup,
                            const QString& copiesText, platform::PrintOrientation orientation);

// Prints image on page with margins in preview units (twips / 4.8) by the placement rule.
std::optional<platform::PrintFailure> printWithPageSetup(
    platform::Printer& printer, const QImage& image, double screenTwipsPerPixel,
    const PageMetrics& page, const PreviewMargins& margins, const QString& alignment, int copies);

}  // namespace qv::output
