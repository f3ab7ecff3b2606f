#include "output/printing/pagesetupprint.h"

#include <algorithm>

#include "output/printing/defaultpreview.h"
#include "output/printing/defaultprinter.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/placement.h"
#include "output/printing/printjob.h"

namespace qv::output {

namespace {

constexpr double kTwipsPerMm = 56.7;
constexpr int kMostCopies = 1000;

}  // namespace

int preparePageSetupPrinter(platform::Printer& printer, const PrinterSetup& setup,
                            const QString& copiesText, platform::PrintOrientation orientation) {
    using namespace platform;
    const int copies =
        setup.copies != 0 ? std::clamp(setup.copies, 1, kMostCopies) : copiesFromText(copiesText);
    printer.setCopies(copies);
    printer.setOrientation(orientation);
    if (setup.paperSize.isValid())
        printer.setPaperSize(setup.paperSize);
    if (setup.paperSource > 0)
        printer.setPaperSource(setup.paperSource);
    if (setup.colorMode > 0)
        printer.setColorMode(PrintColorMode(setup.colorMode));
    if (setup.duplex > 0)
        printer.setDuplex(PrintDuplex(setup.duplex));
    return copies;
}

std::optional<platform::PrintFailure> printWithPageSetup(
    platform::Printer& printer, const QImage& image, double screenTwipsPerPixel,
    const PageMetrics& page, const PreviewMargins& margins, const QString& alignment, int copies) {
    if (!printer.usable())
        return printer.notUsableFailure();
    const double mmPerPreviewUnit = preview::kScale / kTwipsPerMm;
    const QSizeF paper(page.width * page.factorX / kTwipsPerMm,
                       page.height * page.factorY / kTwipsPerMm);
    const MarginsMm marginsMm{margins.left * mmPerPreviewUnit, margins.top * mmPerPreviewUnit,
                              margins.right * mmPerPreviewUnit, margins.bottom * mmPerPreviewUnit};
    return printAtNaturalSize(printer, image, screenTwipsPerPixel, paper, marginsMm, alignment,
                              copies);
}

}  // namespace qv::output
