#include <gtest/gtest.h>

#include "autocapture/jobtimes.h"
#include "platform/linux/systemlocale.h"

namespace qv::autocapture {
namespace {

TEST(JobTimes, StoredTimesReadBackUnderAnyLocalesForm) {
    const struct {
        QString text;
        QString localeFormat;
        QTime time;  // invalid: reads as no time
    } cases[] = {
        {"7:30:00 AM", "h:mm:ss AP", QTime(7, 30)},
        {"7:30:00 PM", "h:mm:ss AP", QTime(19, 30)},
        {u"7:30:00\u202FAM"_qs, u"h:mm:ss\u202FAP"_qs, QTime(7, 30)},
        {"07:30:00", "HH:mm:ss", QTime(7, 30)},
        {"07:30:00", "h:mm:ss AP", QTime(7, 30)},   // written under C, read under en_US
        {"7:30:00 PM", "HH:mm:ss", QTime(19, 30)},  // written under en_US, read under de
        {"7:30", "HH:mm:ss", QTime(7, 30)},
        {"7:30 pm", "HH:mm:ss", QTime(19, 30)},
        {"23:59:59", "HH:mm:ss", QTime(23, 59, 59)},
        {"half past", "HH:mm:ss", QTime()},
        {"25:00:00", "HH:mm:ss", QTime()},
        {"", "HH:mm:ss", QTime()},
    };
    for (const auto& c : cases) {
        const auto read = readTimeText(c.text, c.localeFormat);
        EXPECT_EQ(read.value_or(QTime()), c.time) << c.text.toStdString();
    }
    EXPECT_EQ(clockText(QTime(7, 5, 59)), "07:05");
    EXPECT_EQ(timeText(QTime(7, 5, 9), "h:mm:ss AP"), "7:05:09 AM");
    EXPECT_EQ(timeText(QTime(19, 5, 9), "HH:mm:ss"), "19:05:09");
}

TEST(JobTimes, TheLocalesFormatLosesItsTimeZoneOnly) {
    const std::pair<QString, QString> cases[] = {
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"HH:mm:ss t", "HH:mm:ss"},
        {"t HH:mm:ss", "HH:mm:ss"},
        {"HH 'at' mm:ss t", "HH 'at' mm:ss"},
    };
    for (const auto& [format, kept] : cases)
        EXPECT_EQ(platform::SystemLocale::withoutTimeZone(format), kept) << format.toStdString();
}

}  // namespace
}  // namespace qv::autocapture
