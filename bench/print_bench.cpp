// Print to Default Printer of a 3840x2160 capture into a PDF file (placement and the printer
// service, as the command prints) against one bare QPainter::drawImage of the same picture into
// the same kind of QPrinter. Prints milliseconds per print and the ratio.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

#include "benchutil.h"
#include "output/printing/defaultprinter.h"
#include "platform/linux/qtprinter.h"

int main(int argc, char* argv[]) {
    qv::bench::preferOffscreen();
    QGuiApplication app(argc, argv);
    const int runs = qv::bench::runsFromArgs(argc, argv, 1, 7);
    QTemporaryDir dir;
    const QImage image = qv::bench::printableCapture();

    const QString barePdf = dir.filePath(QStringLiteral("bare.pdf"));
    const double bare = qv::bench::medianMs(runs, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(barePdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&printer);
        const double perMm = printer.resolution() / 25.4;
        painter.drawImage(QRectF(25 * perMm, 25 * perMm, 159.97 * perMm, 89.98 * perMm), image);
    });

    // The default page setup as the preview leaves it: A4, 25 mm margins, centred.
    const double margin = 25 * 56.7 / 4.8;
    const qv::output::PreviewMargins margins{margin, margin, margin, margin};
    const QSizeF page(2480, 3508);
    bool ok = true;
    const QString commandPdf = dir.filePath(QStringLiteral("command.pdf"));
    const double command = qv::bench::medianMs(runs, [&] {
        auto printer = qv::platform::QtPrinter::onPdfFile(commandPdf);
        ok = !qv::output::printWithDefaultSetup(*printer, image, 15, margins, page,
                                                QStringLiteral("Centered"), 1) &&
             ok;
    });
    if (!ok) {
        std::fprintf(stderr, "print failed\n");
        return 1;
    }
    std::printf(
        "3840x2160 to PDF: bare drawImage %.1f ms, Print to Default Printer %.1f ms, "
        "ratio %.2f\n",
        bare, command, command / bare);
    return 0;
}
