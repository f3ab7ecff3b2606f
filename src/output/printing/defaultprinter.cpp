#include "output/printing/defaultprinter.h"

#include <QCursor>

#include "capture/capturesession.h"
#include "capture/shellcontrol.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/placement.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/services.h"
#include "toolkit/twips.h"

namespace qv::output {

namespace {

// Preview twips are twips / 4.8; 567 twips make a centimetre.
constexpr double kMmPerPreviewTwip = 4.8 / 56.7;

// The preview was drawn for another page: the system had no default printer when it was drawn,
// or a print dialog chose another printer or paper since. It is drawn again for the printer's
// page, which leaves the printer's orientation as it was.
void followPrinterPage(DefaultPrintingDialog& defaultPrinting, platform::Printer& printer) {
    const platform::PrintOrientation orientation = printer.orientation();
    platform::PrinterMetrics portrait = printer.metrics();
    if (orientation == platform::PrintOrientation::Landscape)
        portrait.paper.transpose();
    if (previewPageOf(portrait) == state().previewPage)
        return;
    defaultPrinting.updatePreview();
    printer.setOrientation(orientation);
}

}  // namespace

std::optional<platform::PrintFailure> printWithDefaultSetup(platform::Printer& printer,
                                                            const QImage& image,
                                                            double screenTwipsPerPixel,
                                                            const PreviewMargins& previewMargins,
                                                            const QSizeF& previewPage,
                                                            const QString& alignment, int copies) {
    if (!printer.usable())
        return printer.notUsableFailure();
    QSizeF paper = previewPage * kMmPerPreviewTwip;
    if (printer.orientation() == platform::PrintOrientation::Landscape)
        paper.transpose();
    const MarginsMm margins{
        previewMargins.left * kMmPerPreviewTwip, previewMargins.top * kMmPerPreviewTwip,
        previewMargins.right * kMmPerPreviewTwip, previewMargins.bottom * kMmPerPreviewTwip};
    return printAtNaturalSize(printer, image, screenTwipsPerPixel, paper, margins, alignment,
                              copies);
}

void printToDefaultPrinter() {
    // Before the Default Printing window was ever loaded there is no preview to print with:
    // loading it, hidden, computes one from the stored defaults.
    DefaultPrintingDialog& defaultPrinting = windows().defaultPrinting.get();

    capture::ShellControl& shell = capture::shellControl();
    shell.setFrozenScreenPointer(QCursor(Qt::WaitCursor));
    platform::Printer& printer = platform::printer();
    followPrinterPage(defaultPrinting, printer);
    const State& outputState = state();
    const DefaultPageSetup& setup = outputState.defaultPageSetup;
    const int copies = copiesFromText(setup.copies);
    printer.setCopies(copies);
    if (setup.orientation == QStringLiteral("Portrait"))
        printer.setOrientation(platform::PrintOrientation::Portrait);
    else if (setup.orientation == QStringLiteral("Landscape"))
        printer.setOrientation(platform::PrintOrientation::Landscape);

    const auto failure = printWithDefaultSetup(
        printer, capture::session().buffer,
        toolkit::twipsPerPixel(platform::desktop().logicalDpiX()), outputState.previewMargins,
        outputState.previewPage, setup.alignment, copies);
    endFrozenScreenPrint(failure);
}

}  // namespace qv::output
