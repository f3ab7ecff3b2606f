#include "platform/linux/systemlocale.h"

namespace qv::platform {

QString SystemLocale::measurementCode(QLocale::MeasurementSystem system) {
    return system == QLocale::ImperialUSSystem ? QStringLiteral("1") : QStringLiteral("0");
}

QString SystemLocale::measurementSystem() const {
    return measurementCode(QLocale::system().measurementSystem());
}

QString SystemLocale::decimalSeparator() const {
    return QLocale::system().decimalPoint();
}

}  // namespace qv::platform
