#pragma once

#include <QString>
#include <optional>

namespace qv::output {

// The measurement system margins are given in: millimetres or inches.
enum class Units { Metric, US };

// The locale's measurement setting ("0" metric, "1" US, up to its first NUL); nothing for any
// other setting.
std::optional<Units> unitsOfMeasurementSetting(const QString& setting);

// The page-setup record's Units text: "Metric", "US", and the empty text for unknown units.
QString unitsText(std::optional<Units> units);
// The units a stored Units text names; nothing for any other text, compared exactly.
std::optional<Units> unitsFromText(const QString& text);

// "mm", or the inch mark; the empty text for unknown units.
QString unitSign(std::optional<Units> units);

}  // namespace qv::output
