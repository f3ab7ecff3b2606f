#pragma once

#include <QPrinter>
#include <memory>

#include "platform/printer.h"

namespace qv::platform {

// The run's printer over CUPS, through Qt PrintSupport: one high-resolution QPrinter on the
// system's default queue. Without a queue there is no QPrinter at all, since Qt's fallback
// would write a PDF nobody asked for.
class QtPrinter : public Printer {
public:
    QtPrinter();
    // A printer that writes a PDF file (A4, 1200 dpi): for tests and benchmarks.
    static std::unique_ptr<QtPrinter> onPdfFile(const QString& path);

    QStringList printers() const override;
    QString defaultPrinter() const override;

    bool choosePrinter(const QString& name) override;
    QString deviceName() const override;
    bool usable() const override { return printer_ != nullptr; }
    PrinterMetrics metrics() const override;

    PrintOrientation orientation() const override { return orientation_; }
    void setOrientation(PrintOrientation orientation) override;
    int copies() const override { return copies_; }
    void setCopies(int copies) override;
    QPageSize paperSize() const override;
    void setPaperSize(const QPageSize& size) override;
    int paperSource() const override;
    void setPaperSource(int source) override;
    PrintColorMode colorMode() const override;
    void setColorMode(PrintColorMode mode) override;
    PrintDuplex duplex() const override;
    void setDuplex(PrintDuplex duplex) override;

    std::optional<PrintFailure> printImage(const QImage& image, const QRectF& target,
                                           int copies) override;
    std::optional<PrinterChoice> runPrintDialog(PrintDialogKind kind, QWidget* owner) override;
    std::unique_ptr<Printer> printerForFile(const QString& path) override;

private:
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    void take(std::unique_ptr<QPrinter> printer);

    std::unique_ptr<QPrinter> printer_;
    PrintOrientation orientation_ = PrintOrientation::Portrait;
    int copies_ = 1;
};

}  // namespace qv::platform
