#include "output/printing/printjob.h"

#include "capture/shellcontrol.h"
#include "options/state.h"
#include "output/saveerror.h"

namespace qv::output {

namespace {

constexpr double kTwipsPerMm = 56.7;

}  // namespace

platform::PrintFailure noRoomFailure() {
    return {kNoRoomOnPage, QStringLiteral("The margins leave no room for the picture")};
}

platform::PrintFailure noCaptureFailure() {
    return {kNoCapture, QStringLiteral("There is no capture to print")};
}

std::optional<platform::PrintFailure> printAtNaturalSize(
    platform::Printer& printer, const QImage& image, double screenTwipsPerPixel,
    const QSizeF& paper, const MarginsMm& margins, const QString& alignment, int copies) {
    if (image.isNull())
        return noCaptureFailure();
    const double mmPerPixel = screenTwipsPerPixel / kTwipsPerMm;
    const QSizeF natural(image.width() * mmPerPixel, image.height() * mmPerPixel);
    const auto placed = placePicture(natural, paper, margins, alignment);
    if (!placed)
        return noRoomFailure();
    return printer.printImage(image, *placed, copies);
}

void endFrozenScreenPrint(const std::optional<platform::PrintFailure>& failure) {
    capture::ShellControl& shell = capture::shellControl();
    shell.restoreAreaPointer();
    if (failure) {
        showSaveError({failure->number, failure->description});
        return;
    }
    if (options::state().settings.releaseAfterCapture)
        shell.releaseDesktop();
}

}  // namespace qv::output
