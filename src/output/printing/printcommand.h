#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>

#include "output/printing/pagesetup.h"
#include "platform/printer.h"

namespace qv::output {

// The area Print... prints into ends this many printer dots short of the right and bottom
// margins.
inline constexpr double kPrintAreaShortfall = 10;

// Where Print... puts a capture of capture screen pixels on a printer of metrics, in
// millimetres from the paper's corner: margins in twips, the alignment by name. Nothing when
// the margins leave no room or the printer reports no resolution.
std::optional<QRectF> placeForPrintCommand(const QSize& capture, double screenTwipsPerPixel,
                                           const platform::PrinterMetrics& metrics,
                                           const PreviewMargins& marginTwips,
                                           const QString& alignment);

// Takes what a print dialog chose into printer: the settings the user made, copies kept
// between 1 and 1000.
void applyPrinterChoice(platform::Printer& printer, const platform::PrinterChoice& choice);

// "Print...": the system's print dialog over the frozen screen, then the capture with the
// current-print margins and alignment. A printer chosen there stays the run's printer; a file
// is for this print only. A failure is shown and keeps the capture.
void printCapture();

// "Page Setup...": the Page Setup window, modeless over the frozen screen.
void showPageSetup();

}  // namespace qv::output
