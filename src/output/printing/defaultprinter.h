#pragma once

#include <QImage>
#include <QSizeF>
#include <optional>

#include "output/printing/pagesetup.h"
#include "output/printing/printjob.h"
#include "platform/printer.h"

namespace qv::output {

// Prints image once with the default page setup in memory: margins and page as the Default
// Printing preview left them (previewPage is the portrait page; a landscape printer takes it
// turned), the alignment of the page setup, copies pages. screenTwipsPerPixel gives the
// picture its natural size. Nothing when it reached the printer.
std::optional<platform::PrintFailure> printWithDefaultSetup(platform::Printer& printer,
                                                            const QImage& image,
                                                            double screenTwipsPerPixel,
                                                            const PreviewMargins& previewMargins,
                                                            const QSizeF& previewPage,
                                                            const QString& alignment, int copies);

// "Print to Default Printer": the capture with the default copies, orientation, margins and
// alignment, at once; a failure is shown and keeps the capture, success releases the desktop
// when the options ask for it.
void printToDefaultPrinter();

}  // namespace qv::output
