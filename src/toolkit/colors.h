#pragma once

#include <QColor>
#include <QtGlobal>

namespace qv::toolkit {

// Colour values as stored and given in the settings: 0x00BBGGRR, or 0x800000nn for the
// desktop's colour number nn (button face, window text ...), taken from the palette.
QColor colorFromValue(qint64 value);
// The 0x00BBGGRR value of a colour.
qint64 colorValue(const QColor& color);

inline constexpr qint64 kSystemColorFlag = 0x80000000LL;

}  // namespace qv::toolkit
