#pragma once

#include <QString>
#include <QStringList>

namespace qv::platform {

// The printers of the system. Grows with the printing commands.
class Printer {
public:
    virtual ~Printer() = default;
    virtual QStringList printers() const = 0;
    // Empty when the system has no printer.
    virtual QString defaultPrinter() const = 0;
};

}  // namespace qv::platform
