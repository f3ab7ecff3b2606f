#include "output/printing/units.h"

#include "options/registrystore.h"

namespace qv::output {

std::optional<Units> unitsOfMeasurementSetting(const QString& setting) {
    const QString shown = options::textBeforeNul(setting);
    if (shown == QStringLiteral("0"))
        return Units::Metric;
    if (shown == QStringLiteral("1"))
        return Units::US;
    return std::nullopt;
}

QString unitsText(std::optional<Units> units) {
    if (!units)
        return {};
    return *units == Units::Metric ? QStringLiteral("Metric") : QStringLiteral("US");
}

std::optional<Units> unitsFromText(const QString& text) {
    if (text == QStringLiteral("Metric"))
        return Units::Metric;
    if (text == QStringLiteral("US"))
        return Units::US;
    return std::nullopt;
}

QString unitSign(std::optional<Units> units) {
    if (!units)
        return {};
    return *units == Units::Metric ? QStringLiteral("mm") : QStringLiteral("\"");
}

}  // namespace qv::output
