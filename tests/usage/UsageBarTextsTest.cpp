#include "usage/UsageBarTexts.h"

#include <gtest/gtest.h>

#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

TEST(UsageBarTextsTest, DayAndMonthWithoutTheYear) {
    struct Case {
        const char *format, *pattern;
    } cases[] = {{"M/d/yyyy", "M/d"}, {"dd.MM.yyyy", "dd.MM"}, {"yyyy-MM-dd", "MM-dd"},
                 {"d/M/yy", "d/M"},   {"MM/yyyy/dd", "MM/dd"}, {"d MMMM", "d MMMM"}};
    for (const auto& c : cases) EXPECT_EQ(day_month_pattern(c.format), c.pattern) << c.format;
}

TEST(UsageBarTextsTest, HoursWithoutSeconds) {
    struct Case {
        const char *format, *pattern;
    } cases[] = {{"HH:mm:ss", "HH:mm"}, {"h:mm:ss AP", "h:mm AP"}, {"HH:mm", "HH:mm"}};
    for (const auto& c : cases) EXPECT_EQ(hour_pattern(c.format), c.pattern) << c.format;
    UsageBar bar;
    bar.start = LocalTime{2026, 12, 30, 13, 0, 0};
    RegionalSettings seconds = point_decimal();
    seconds.short_time_format = "HH:mm:ss";
    EXPECT_EQ(bar_label(bar, BarSpan::Hour, seconds), "13:00");
}

TEST(UsageBarTextsTest, LabelsAndHoverTextsBySpan) {
    UsageBar bar;
    bar.start = LocalTime{2026, 12, 30, 13, 0, 0};
    bar.download = 1536000;
    bar.upload = 512000;
    bar.seconds = 5400;
    bar.time_cost = 22500;
    bar.traffic_cost = 12345678;
    const RegionalSettings point = point_decimal();  // M/d/yyyy
    EXPECT_EQ(bar_label(bar, BarSpan::Hour, point), "13:00");
    EXPECT_EQ(bar_label(bar, BarSpan::Day, point), "12/30");
    EXPECT_EQ(bar_label(bar, BarSpan::Day, comma_decimal()), "30.12");
    EXPECT_EQ(bar_label(bar, BarSpan::Month, point), "Dec 2026");
    EXPECT_EQ(bar_hover_text(bar, BarSpan::Day, point),
              "12/30/2026\nDownload: 1.46 MB\nUpload: 500.00 KB\nTotal: 1.95 MB\n"
              "Time online: 01:30:00\nCost: 1,236.82");
    EXPECT_EQ(bar_hover_text(bar, BarSpan::Hour, comma_decimal()).substr(0, 26),
              "30.12.2026 13:00\nDownload:");
    EXPECT_EQ(bar_hover_text(bar, BarSpan::Month, point).substr(0, 14), "December 2026\n");
}

TEST(UsageBarTextsTest, TitleNamesTheDeviceAndThePeriod) {
    EXPECT_EQ(chart_title("All", "All record"), "Usage of all devices, All record");
    EXPECT_EQ(chart_title("", "12/1/2026 to 12/31/2026"),
              "Usage of all devices, 12/1/2026 to 12/31/2026");
    EXPECT_EQ(chart_title("Office [LAN] 100%", "12/10/2026 to 12/10/2026"),
              "Usage of Office [LAN] 100%, 12/10/2026 to 12/10/2026");
}

}  // namespace
}  // namespace quorvane::test
