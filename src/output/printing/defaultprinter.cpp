#include "output/printing/defaultprinter.h"

#include <QCursor>

#include "capture/capturesession.h"
#include "capture/shellcontrol.h"
#include "options/state.h"
#include "output/printing/pagecontrols.h"
#include "output/printing/placement.h"
#include "output/saveerror.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/services.h"
#include "toolkit/twips.h"

namespace qv::output {

namespace {

// Preview twips are twips / 4.8; 567 twips make a centimetre.
constexpr double kMmPerPreviewTwip = 4.8 / 56.7;

}  // namespace

std::optional<platform::PrintFailure> printWithDefaultSetup(platform::Printer& printer,
                                                            const QImage& image,
                                                            double screenTwipsPerPixel,
                                                            const PreviewMargins& previewMargins,
                                                            const QSizeF& previewPage,
                                                            const QString& alignment, int copies) {
    if (!printer.usable()) {
        return platform::PrintFailure{platform::printerror::NoPrinter,
                                      QStringLiteral("No printer is set up on this system")};
    }
    QSizeF paper = previewPage * kMmPerPreviewTwip;
    if (printer.orientation() == platform::PrintOrientation::Landscape)
        paper.transpose();
    const MarginsMm margins{
        previewMargins.left * kMmPerPreviewTwip, previewMargins.top * kMmPerPreviewTwip,
        previewMargins.right * kMmPerPreviewTwip, previewMargins.bottom * kMmPerPreviewTwip};
    const double mmPerPixel = screenTwipsPerPixel / 56.7;
    const QSizeF natural(image.width() * mmPerPixel, image.height() * mmPerPixel);
    const auto placed = placePicture(natural, paper, margins, alignment);
    if (!placed) {
        return platform::PrintFailure{kNoRoomOnPage,
                                      QStringLiteral("The margins leave no room for the picture")};
    }
    return printer.printImage(image, *placed, copies);
}

void printToDefaultPrinter() {
    // Before the Default Printing window was ever loaded there is no preview to print with:
    // loading it, hidden, computes one from the stored defaults.
    windows().defaultPrinting.get();

    capture::ShellControl& shell = capture::shellControl();
    shell.setFrozenScreenPointer(QCursor(Qt::WaitCursor));
    platform::Printer& printer = platform::printer();
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
    shell.restoreAreaPointer();
    if (failure) {
        showSaveError({failure->number, failure->description});
        return;
    }
    if (options::state().settings.releaseAfterCapture)
        shell.releaseDesktop();
}

}  // namespace qv::output
