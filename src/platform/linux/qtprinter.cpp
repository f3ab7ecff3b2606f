#include "platform/linux/qtprinter.h"

#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>

#include "platform/dialogs.h"

namespace qv::platform {

namespace {

int duplexValue(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexNone:
            return int(PrintDuplex::Simplex);
        case QPrinter::DuplexLongSide:
            return int(PrintDuplex::LongSide);
        case QPrinter::DuplexShortSide:
            return int(PrintDuplex::ShortSide);
        default:
            return 0;  // the printer's own choice
    }
}

PrinterChoice choiceOf(const QPrinter& chosen) {
    PrinterChoice choice;
    if (chosen.outputFormat() == QPrinter::PdfFormat)
        choice.file = chosen.outputFileName();
    else
        choice.printer = chosen.printerName();
    choice.copies = chosen.copyCount();
    choice.orientation = int(chosen.pageLayout().orientation() == QPageLayout::Landscape
                                 ? PrintOrientation::Landscape
                                 : PrintOrientation::Portrait);
    choice.paperSize = chosen.pageLayout().pageSize();
    choice.paperSource = int(chosen.paperSource());
    choice.colorMode = int(chosen.colorMode() == QPrinter::GrayScale ? PrintColorMode::Monochrome
                                                                     : PrintColorMode::Color);
    choice.duplex = duplexValue(chosen.duplex());
    return choice;
}

}  // namespace

QtPrinter::QtPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        take(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

std::unique_ptr<QtPrinter> QtPrinter::onPdfFile(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return std::unique_ptr<QtPrinter>(new QtPrinter(std::move(printer)));
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) {
    take(std::move(printer));
}

void QtPrinter::take(std::unique_ptr<QPrinter> printer) {
    printer_ = std::move(printer);
    setOrientation(orientation_);
    setCopies(copies_);
}

QStringList QtPrinter::printers() const {
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinter::defaultPrinter() const {
    return QPrinterInfo::defaultPrinterName();
}

bool QtPrinter::choosePrinter(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    take(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    return true;
}

QString QtPrinter::deviceName() const {
    if (!printer_)
        return {};
    return printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName()
                                                           : printer_->printerName();
}

PrinterMetrics QtPrinter::metrics() const {
    if (!printer_)
        return {};
    const QRect paper = printer_->paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer_->pageRect(QPrinter::DevicePixel).toRect();
    const int dpi = printer_->resolution();
    return {paper.size(), page.translated(-paper.topLeft()), dpi, dpi};
}

void QtPrinter::setOrientation(PrintOrientation orientation) {
    orientation_ = orientation;
    if (printer_) {
        printer_->setPageOrientation(orientation == PrintOrientation::Landscape
                                         ? QPageLayout::Landscape
                                         : QPageLayout::Portrait);
    }
}

void QtPrinter::setCopies(int copies) {
    copies_ = std::max(copies, 1);
    if (printer_)
        printer_->setCopyCount(copies_);
}

QPageSize QtPrinter::paperSize() const {
    return printer_ ? printer_->pageLayout().pageSize() : QPageSize();
}

void QtPrinter::setPaperSize(const QPageSize& size) {
    if (printer_)
        printer_->setPageSize(size);
}

int QtPrinter::paperSource() const {
    return printer_ ? int(printer_->paperSource()) : 0;
}

void QtPrinter::setPaperSource(int source) {
    if (printer_ && source >= 0 && source <= int(QPrinter::LastPaperSource))
        printer_->setPaperSource(QPrinter::PaperSource(source));
}

PrintColorMode QtPrinter::colorMode() const {
    return printer_ && printer_->colorMode() == QPrinter::GrayScale ? PrintColorMode::Monochrome
                                                                    : PrintColorMode::Color;
}

void QtPrinter::setColorMode(PrintColorMode mode) {
    if (printer_)
        printer_->setColorMode(mode == PrintColorMode::Monochrome ? QPrinter::GrayScale
                                                                  : QPrinter::Color);
}

PrintDuplex QtPrinter::duplex() const {
    if (!printer_)
        return PrintDuplex::Simplex;
    switch (printer_->duplex()) {
        case QPrinter::DuplexLongSide:
            return PrintDuplex::LongSide;
        case QPrinter::DuplexShortSide:
            return PrintDuplex::ShortSide;
        default:
            return PrintDuplex::Simplex;
    }
}

void QtPrinter::setDuplex(PrintDuplex duplex) {
    if (!printer_)
        return;
    printer_->setDuplex(duplex == PrintDuplex::LongSide    ? QPrinter::DuplexLongSide
                        : duplex == PrintDuplex::ShortSide ? QPrinter::DuplexShortSide
                                                           : QPrinter::DuplexNone);
}

std::optional<PrintFailure> QtPrinter::printImage(const QImage& image, const QRectF& target,
                                                  int copies) {
    if (!printer_)
        return notUsableFailure();
    if (image.isNull())
        return PrintFailure{printerror::NoPrinter, QStringLiteral("There is no picture to print")};
    copies = std::max(copies, 1);
    setCopies(copies);
    // A device that cannot make copies itself gets each copy as a page of its own.
    const int pages = printer_->supportsMultipleCopies() ? 1 : copies;

    const QRectF paper = printer_->paperRect(QPrinter::DevicePixel);
    const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
    const double xPerMm = printer_->resolution() / 25.4;
    const double yPerMm = xPerMm;
    const QRectF onDevice(target.x() * xPerMm, target.y() * yPerMm, target.width() * xPerMm,
                          target.height() * yPerMm);

    QPainter painter;
    if (!painter.begin(printer_.get())) {
        return PrintFailure{printerror::NoPrinter,
                            QStringLiteral("The printer %1 cannot be used").arg(deviceName())};
    }
    // The painter starts at the corner of the printable area; positions count from the paper's.
    painter.translate(paper.topLeft() - page.topLeft());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Qt's PDF output would otherwise hold the picture as a JPEG, blurring a screenshot's text.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer_->newPage())
            break;
        painter.drawImage(onDevice, image);
    }
    const bool ended = painter.end();
    if (printer_->printerState() == QPrinter::Aborted)
        return PrintFailure{printerror::NoPrinter, QStringLiteral("The print was aborted")};
    if (!ended || printer_->printerState() == QPrinter::Error)
        return PrintFailure{printerror::NoPrinter,
                            QStringLiteral("The printer %1 refused the page").arg(deviceName())};
    return std::nullopt;
}

std::optional<PrinterChoice> QtPrinter::runPrintDialog(PrintDialogKind kind, QWidget* owner) {
    QPrinter offered(QPrinter::HighResolution);
    if (printer_ && printer_->outputFormat() == QPrinter::NativeFormat)
        offered.setPrinterName(printer_->printerName());
    offered.setPageOrientation(orientation_ == PrintOrientation::Landscape ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    if (printer_) {
        offered.setDuplex(printer_->duplex());
        if (kind == PrintDialogKind::Print)
            offered.setPageSize(printer_->pageLayout().pageSize());
    }
    if (kind == PrintDialogKind::Setup)
        offered.setCopyCount(copies_);

    QPrintDialog dialog(&offered, owner);
    if (kind == PrintDialogKind::Setup) {
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        // It only chooses the printer and its settings: nothing is printed from it.
        dialog.setWindowTitle(QStringLiteral("Printer Setup"));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        }
    }
    // Its owner may be the frozen screen, which keeps above every other window.
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    const Dialogs::ForeignDialog open;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return choiceOf(offered);
}

std::unique_ptr<Printer> QtPrinter::printerForFile(const QString& path) {
    std::unique_ptr<QtPrinter> file = onPdfFile(path);
    if (printer_)
        file->setPaperSize(paperSize());
    file->setOrientation(orientation_);
    return file;
}

}  // namespace qv::platform
