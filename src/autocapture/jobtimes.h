#pragma once

#include <QString>
#include <QTime>
#include <optional>

namespace qv::autocapture {

// The clock as the scheduler compares it: 24-hour "HH:mm".
QString clockText(const QTime& time);

// A time as the editor shows it, in the locale's time format (Qt's format letters).
QString timeText(const QTime& time, const QString& localeFormat);

// A stored time text read back: in the locale's format, or in one of the forms another locale
// may have written ("H:mm:ss", "H:mm", "h:mm:ss AP", "h:mm AP"). Nothing when none reads it.
std::optional<QTime> readTimeText(const QString& text, const QString& localeFormat);

// The arrows of the time of day: both drop the seconds; the hour wraps 23 to 0 and 0 to 23,
// the minute 59 to 0 and 0 to 59 without carrying into the hour.
QTime stepHour(const QTime& time, int step);
QTime stepMinute(const QTime& time, int step);

}  // namespace qv::autocapture
