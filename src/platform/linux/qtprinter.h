#pragma once

#include "platform/printer.h"

namespace qv::platform {

// The printers CUPS knows, through Qt PrintSupport.
class QtPrinter : public Printer {
public:
    QStringList printers() const override;
    QString defaultPrinter() const override;
};

}  // namespace qv::platform
