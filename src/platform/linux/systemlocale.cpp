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

QString SystemLocale::timeFormat() const {
    return withoutTimeZone(QLocale::system().timeFormat(QLocale::LongFormat));
}

QString SystemLocale::withoutTimeZone(const QString& format) {
    QString kept;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        kept += c;
    }
    return kept.trimmed();
}

}  // namespace qv::platform
