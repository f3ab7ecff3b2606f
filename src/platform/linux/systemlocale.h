#pragma once

#include <QLocale>

#include "platform/locale.h"

namespace qv::platform {

// The user's locale: LC_MEASUREMENT for the units, LC_NUMERIC for the separator.
class SystemLocale : public Locale {
public:
    QString measurementSystem() const override;
    QString decimalSeparator() const override;
    QString timeFormat() const override;

    // A Qt time format without its time-zone field and the blanks around it.
    static QString withoutTimeZone(const QString& format);

    // "1" for US units, "0" for every other system (the UK's imperial counts as metric).
    static QString measurementCode(QLocale::MeasurementSystem system);
};

}  // namespace qv::platform
