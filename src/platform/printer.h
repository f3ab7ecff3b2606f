#pragma once

#include <QImage>
#include <QPageSize>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

namespace qv::platform {

enum class PrintOrientation { Portrait = 1, Landscape = 2 };
enum class PrintColorMode { Monochrome = 1, Color = 2 };
enum class PrintDuplex { Simplex = 1, LongSide = 2, ShortSide = 3 };

// The page of the current printer in its current orientation, in device pixels.
struct PrinterMetrics {
    QSize paper;      // the whole sheet
    QRect printable;  // the part the printer reaches, from the sheet's corner
    int dpiX = 0;
    int dpiY = 0;

    // 1440 / resolution; 0 for a printer that reports none.
    double twipsPerPixelX() const { return dpiX > 0 ? 1440.0 / dpiX : 0.0; }
    double twipsPerPixelY() const { return dpiY > 0 ? 1440.0 / dpiY : 0.0; }
    QSizeF paperMm() const {
        return {dpiX > 0 ? paper.width() * 25.4 / dpiX : 0.0,
                dpiY > 0 ? paper.height() * 25.4 / dpiY : 0.0};
    }
};

// Why a print did not reach the printer, as the user is told.
struct PrintFailure {
    int number = 0;
    QString description;
};

// Which print dialog to show: the one that prints now, or the one that only sets the printer
// up (no print to file, no page range).
enum class PrintDialogKind { Print, Setup };

// What the user chose in a print dialog: a printer (its queue name, exactly) or, for this
// print only, a file. Every setting left at 0 or unset was not chosen.
struct PrinterChoice {
    QString printer;
    QString file;  // set instead of printer for a print to a file
    int copies = 0;
    int orientation = 0;  // a PrintOrientation, 0 unset
    QPageSize paperSize;  // invalid when unset
    int paperSource = 0;
    int colorMode = 0;  // a PrintColorMode, 0 unset
    int duplex = 0;     // a PrintDuplex, 0 unset
};

namespace printerror {
inline constexpr int NoPrinter = 482;
}

// The printer the program prints to for the whole run: the system's default printer, until a
// print dialog chooses another. With no printer on the system it is not usable, and printing
// on it fails with NoPrinter; it never prints into nothing.
class Printer {
public:
    virtual ~Printer() = default;
    virtual QStringList printers() const = 0;
    // Empty when the system has no printer.
    virtual QString defaultPrinter() const = 0;

    // Makes the named printer the run's printer, keeping orientation and copies. False, and
    // nothing changed, when the system does not know it.
    virtual bool choosePrinter(const QString& name) = 0;
    // The queue the run's printer stands for; empty without one.
    virtual QString deviceName() const = 0;
    virtual bool usable() const = 0;
    // All zero without a usable printer.
    virtual PrinterMetrics metrics() const = 0;

    virtual PrintOrientation orientation() const = 0;
    virtual void setOrientation(PrintOrientation orientation) = 0;
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;
    virtual QPageSize paperSize() const = 0;
    virtual void setPaperSize(const QPageSize& size) = 0;
    // The tray as the system numbers it; 0 for the printer's own choice.
    virtual int paperSource() const = 0;
    virtual void setPaperSource(int source) = 0;
    virtual PrintColorMode colorMode() const = 0;
    virtual void setColorMode(PrintColorMode mode) = 0;
    virtual PrintDuplex duplex() const = 0;
    virtual void setDuplex(PrintDuplex duplex) = 0;

    // Prints image into target, in millimetres from the paper's top-left corner, as one
    // document of copies pages, and ends the document. Nothing when it reached the printer.
    virtual std::optional<PrintFailure> printImage(const QImage& image, const QRectF& target,
                                                   int copies) = 0;

    // Why this printer cannot be printed on: the system has no queue at all, or has queues but
    // none of them is the default, so one must be chosen first.
    PrintFailure notUsableFailure() const {
        if (printers().isEmpty())
            return {printerror::NoPrinter, QStringLiteral("No printer is set up on this system")};
        return {printerror::NoPrinter,
                QStringLiteral("No default printer is set on this system; choose a printer with "
                               "Print...")};
    }

    // Shows the system's print dialog over owner, started on the run's printer and its
    // settings. Nothing when the user cancels. It chooses nothing by itself: the caller makes
    // the chosen printer the run's printer.
    virtual std::optional<PrinterChoice> runPrintDialog(PrintDialogKind kind, QWidget* owner) = 0;
    // A printer that writes one print into a file, on the paper of the run's printer.
    virtual std::unique_ptr<Printer> printerForFile(const QString& path) = 0;
};

}  // namespace qv::platform
