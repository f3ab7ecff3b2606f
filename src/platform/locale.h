#pragma once

#include <QString>

namespace qv::platform {

class Locale {
public:
    virtual ~Locale() = default;
    // "0" for metric, "1" for US units.
    virtual QString measurementSystem() const = 0;
    virtual QString decimalSeparator() const = 0;
    // The long time format in Qt's format letters, without a time-zone field: "h:mm:ss AP"
    // for en_US, "HH:mm:ss" for C and de.
    virtual QString timeFormat() const = 0;
};

}  // namespace qv::platform
