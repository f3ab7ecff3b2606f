#include "output/printing/printcommand.h"

#include <QCursor>
#include <algorithm>
#include <memory>

#include "capture/capturesession.h"
#include "capture/capturestate.h"
#include "capture/shellcontrol.h"
#include "output/printing/defaultprinter.h"
#include "output/printing/pagesetupdialog.h"
#include "output/printing/pagesetuprecords.h"
#include "output/printing/placement.h"
#include "output/printing/printersetup.h"
#include "output/printing/printjob.h"
#include "output/state.h"
#include "output/windows.h"
#include "platform/services.h"
#include "toolkit/ownedwindow.h"
#include "toolkit/twips.h"

namespace qv::output {

namespace {

constexpr int kMostCopies = 1000;

// The current-print record as Print... opens it, into the copy of its own.
void openPrintMargins(State& outputState) {
    CurrentPageSetup& printMargins = outputState.printMargins;
    const CurrentRecordLoad load =
        openCurrentRecord(outputState, printMargins.margins,
                          [](const Margins& m) { writeCurrentRecord(m, std::nullopt); });
    if (load != CurrentRecordLoad::Created)
        printMargins.alignment = readCurrentAlignment();
}

std::optional<platform::PrintFailure> printOn(platform::Printer& printer,
                                              const State& outputState) {
    if (!printer.usable())
        return printer.notUsableFailure();
    const platform::PrinterMetrics metrics = printer.metrics();
    if (metrics.dpiX <= 0 || metrics.dpiY <= 0) {
        return platform::PrintFailure{
            platform::printerror::NoPrinter,
            QStringLiteral("The printer %1 reports no resolution").arg(printer.deviceName())};
    }
    const QImage& capture = capture::session().buffer;
    if (capture.isNull())
        return noCaptureFailure();
    const auto twips = marginsInTwips(outputState.printMargins.margins, outputState.currentUnits,
                                      outputState.decimalSeparator);
    const auto placed = placeForPrintCommand(
        capture.size(), toolkit::twipsPerPixel(platform::desktop().logicalDpiX()), metrics,
        twips.value_or(PreviewMargins{}), outputState.printMargins.alignment);
    if (!placed)
        return noRoomFailure();
    return printer.printImage(capture, *placed, printer.copies());
}

}  // namespace

std::optional<QRectF> placeForPrintCommand(const QSize& capture, double screenTwipsPerPixel,
                                           const platform::PrinterMetrics& metrics,
                                           const PreviewMargins& marginTwips,
                                           const QString& alignment) {
    const double fx = metrics.twipsPerPixelX();
    const double fy = metrics.twipsPerPixelY();
    if (fx <= 0 || fy <= 0)
        return std::nullopt;
    // Everything in printer dots, as the printer counts them.
    const QSizeF natural(capture.width() * screenTwipsPerPixel / fx,
                         capture.height() * screenTwipsPerPixel / fy);
    const MarginsMm dots{marginTwips.left / fx, marginTwips.top / fy,
                         marginTwips.right / fx + kPrintAreaShortfall,
                         marginTwips.bottom / fy + kPrintAreaShortfall};
    const auto placed = placePicture(natural, QSizeF(metrics.paper), dots, alignment);
    if (!placed)
        return std::nullopt;
    const double mmPerDotX = 25.4 / metrics.dpiX;
    const double mmPerDotY = 25.4 / metrics.dpiY;
    return QRectF(placed->x() * mmPerDotX, placed->y() * mmPerDotY, placed->width() * mmPerDotX,
                  placed->height() * mmPerDotY);
}

void applyPrinterChoice(platform::Printer& printer, const platform::PrinterChoice& choice) {
    using namespace platform;
    if (choice.copies != 0)
        printer.setCopies(std::clamp(choice.copies, 1, kMostCopies));
    if (choice.duplex > 0)
        printer.setDuplex(PrintDuplex(choice.duplex));
    if (choice.orientation > 0)
        printer.setOrientation(PrintOrientation(choice.orientation));
    if (choice.paperSize.isValid())
        printer.setPaperSize(choice.paperSize);
    if (choice.colorMode > 0)
        printer.setColorMode(PrintColorMode(choice.colorMode));
    if (choice.paperSource > 0)
        printer.setPaperSource(choice.paperSource);
}

void printCapture() {
    State& outputState = state();
    openPrintMargins(outputState);

    capture::ShellControl& shell = capture::shellControl();
    platform::Printer& runPrinter = platform::printer();
    const auto choice =
        runPrinter.runPrintDialog(platform::PrintDialogKind::Print, &shell.frozenScreen());
    if (!choice)
        return;
    shell.setFrozenScreenPointer(QCursor(Qt::WaitCursor));

    // A file is for this print only: the run keeps printing where it printed before.
    std::unique_ptr<platform::Printer> filePrinter;
    platform::Printer* target = &runPrinter;
    if (!choice->file.isEmpty()) {
        filePrinter = runPrinter.printerForFile(choice->file);
        target = filePrinter.get();
    } else {
        if (choice->printer != runPrinter.deviceName())
            runPrinter.choosePrinter(choice->printer);
        outputState.printerSetup.usable = runPrinter.usable();
    }
    applyPrinterChoice(*target, *choice);
    if (target == &runPrinter) {
        const platform::PrinterMetrics m = runPrinter.metrics();
        outputState.pageMetrics = {double(m.paper.width()), double(m.paper.height()),
                                   m.twipsPerPixelX(), m.twipsPerPixelY()};
    }

    const auto failure = printOn(*target, outputState);
    endFrozenScreenPrint(failure);
}

void showPageSetup() {
    capture::ShellControl& shell = capture::shellControl();
    shell.setFrozenScreenPointer(QCursor(Qt::WaitCursor));
    capture::state().freeze.dialogOpen = true;
    windows().pageSetup->showOverFrozenScreen();
    shell.restoreAreaPointer();
}

}  // namespace qv::output
