#include "autocapture/jobtimes.h"

#include <QLocale>
#include <QStringList>

namespace qv::autocapture {

namespace {

// Locales put narrow or no-break blanks before the AM/PM marker; records may hold either.
QString plainBlanks(QString text) {
    text.replace(QChar(0x202F), QLatin1Char(' '));
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    return text.simplified();
}

}  // namespace

QString clockText(const QTime& time) {
    return QLocale::c().toString(time, QStringLiteral("HH:mm"));
}

QString timeText(const QTime& time, const QString& localeFormat) {
    return QLocale::c().toString(time, plainBlanks(localeFormat));
}

std::optional<QTime> readTimeText(const QString& text, const QString& localeFormat) {
    const QString plain = plainBlanks(text);
    if (plain.isEmpty())
        return std::nullopt;
    const QStringList formats = {plainBlanks(localeFormat), QStringLiteral("H:mm:ss"),
                                 QStringLiteral("H:mm"), QStringLiteral("h:mm:ss AP"),
                                 QStringLiteral("h:mm AP")};
    const QLocale c = QLocale::c();
    for (const QString& format : formats) {
        if (format.isEmpty())
            continue;
        const QTime time = c.toTime(plain, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QTime stepHour(const QTime& time, int step) {
    return QTime(((time.hour() + step) % 24 + 24) % 24, time.minute());
}

QTime stepMinute(const QTime& time, int step) {
    return QTime(time.hour(), ((time.minute() + step) % 60 + 60) % 60);
}

}  // namespace qv::autocapture
