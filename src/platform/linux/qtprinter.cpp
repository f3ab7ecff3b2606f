#include "platform/linux/qtprinter.h"

#include <QPrinterInfo>

namespace qv::platform {

QStringList QtPrinter::printers() const {
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinter::defaultPrinter() const {
    return QPrinterInfo::defaultPrinterName();
}

}  // namespace qv::platform
