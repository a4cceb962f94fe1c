#include "usage/UsageBars.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "usage/DatabaseView.h"
#include "usage/SummaryTexts.h"

namespace quorvane::test {
namespace {

struct Connection {
    const char *date, *time, *device;
    int32_t seconds;
    int64_t dload, uload;
};

OrderedLogRows rows_of(const std::vector<Connection>& connections) {
    OrderedLogRows::Collector collector;
    int64_t rowid = 0;
    for (const auto& c : connections) {
        ++rowid;
        collector.add("id" + std::to_string(rowid), c.date, c.time, "local", c.device, c.seconds, 0,
                      c.dload, c.uload, rowid);
    }
    return collector.take();
}

LogFilter period(const char* from, const char* to) {
    LogFilter filter;
    filter.dates = LogFilter::DateRange{from, to};
    return filter;
}

LocalTime at(int year, int month, int day, int hour = 0) {
    return LocalTime{year, month, day, hour, 0, 0};
}

bool same_start(const LocalTime& a, const LocalTime& b) {
    return a == b;
}

class UsageBarsTest : public testing::Test {
protected:
    UsageBarsTest() {
        // LAN: 1.5 per minute and 0.5 per Mbyte (1024000 bytes) of both directions.
        m_dir.write("config/dev.ini",
                    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n"
                    "[Tiny]\nTime_cost=0.0001\nTime_cost_sat=0\n");
    }
    UsageBars bars(const std::vector<Connection>& connections, const LogFilter& filter) {
        TariffBook book(m_dir.str() + "/config/dev.ini", point_decimal());
        return usage_bars(rows_of(connections), filter, book);
    }
    TempDir m_dir;
};

TEST(BarSpanTest, ByTheLengthOfThePeriod) {
    struct Case {
        const char *from, *to;
        BarSpan span;
    } cases[] = {
        {"2026-12-10", "2026-12-10", BarSpan::Hour},  {"2026-12-10", "2026-12-11", BarSpan::Day},
        {"2026-12-01", "2027-01-31", BarSpan::Day},    // 62 days
        {"2026-12-01", "2027-02-01", BarSpan::Month},  // 63 days
        {"2001-01-01", "2026-12-31", BarSpan::Month},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bar_span_of(period(c.from, c.to)), c.span) << c.from << " to " << c.to;
    }
    EXPECT_EQ(bar_span_of(LogFilter{}), BarSpan::Month) << "All record";
}

// Four days over the year's turn. A connection from 23:50 to 00:00 counts on the day it
// started; a day without connections is an empty bar.
TEST_F(UsageBarsTest, DaysOverTheYearsTurn) {
    const UsageBars result = bars({{"2026-12-30", "23:50", "LAN", 600, 1536000, 512000},
                                   {"2026-12-31", "10:00", "lan", 90, 0, 0},
                                   {"2027-01-02", "00:00", "LAN", 60, 1024000, 0}},
                                  period("2026-12-30", "2027-01-02"));
    ASSERT_EQ(result.span, BarSpan::Day);
    ASSERT_EQ(result.bars.size(), 4u);
    const LocalTime starts[] = {at(2026, 12, 30), at(2026, 12, 31), at(2027, 1, 1), at(2027, 1, 2)};
    for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(same_start(result.bars[i].start, starts[i])) << i;
    // 600 s at 1.5 per minute: 15.00; 2048000 bytes at 0.5 per Mbyte: 1.00.
    EXPECT_EQ(result.bars[0],
              (UsageBar{starts[0], 1, 1536000, 512000, 600, 2048000, 150000, 10000}));
    // 90 s: 2.25.
    EXPECT_EQ(result.bars[1], (UsageBar{starts[1], 1, 0, 0, 90, 0, 22500, 0}));
    EXPECT_EQ(result.bars[2], (UsageBar{starts[2], 0, 0, 0, 0, 0, 0, 0}));
    // 60 s: 1.50; 1024000 bytes: 0.50.
    EXPECT_EQ(result.bars[3], (UsageBar{starts[3], 1, 1024000, 0, 60, 1024000, 15000, 5000}));
    EXPECT_EQ(result.summary, (Tlog_summary{3, 3072000, 15000, 750, 187500}));
}

// A single day in hours: the connection across midnight is in the hour it started.
TEST_F(UsageBarsTest, HoursOfOneDay) {
    const UsageBars result = bars({{"2026-12-30", "00:10", "LAN", 60, 0, 0},
                                   {"2026-12-30", "13:05", "LAN", 120, 100, 200},
                                   {"2026-12-30", "13:59", "LAN", 60, 0, 0},
                                   {"2026-12-30", "23:50", "LAN", 1200, 0, 0}},
                                  period("2026-12-30", "2026-12-30"));
    ASSERT_EQ(result.span, BarSpan::Hour);
    ASSERT_EQ(result.bars.size(), 24u);
    EXPECT_TRUE(same_start(result.bars[13].start, at(2026, 12, 30, 13)));
    EXPECT_EQ(result.bars[0].seconds, 60);
    EXPECT_EQ(result.bars[13].count, 2);
    EXPECT_EQ(result.bars[13].seconds, 180);
    EXPECT_EQ(result.bars[13].total(), 300);
    EXPECT_EQ(result.bars[23].seconds, 1200);
    EXPECT_EQ(result.bars[23].time_cost, 300000);  // 20 minutes at 1.5
    for (int hour : {1, 12, 14, 22}) EXPECT_EQ(result.bars[hour].count, 0) << hour;
}

// Past 62 days, months: the last minute of November and the first of December are in two
// bars; the period's months at both ends are whole bars.
TEST_F(UsageBarsTest, MonthsAtTheirEnds) {
    const UsageBars result = bars({{"2026-11-30", "23:59", "LAN", 60, 0, 0},
                                   {"2026-12-01", "00:00", "LAN", 120, 0, 0},
                                   {"2027-02-10", "12:00", "LAN", 180, 0, 0}},
                                  period("2026-11-15", "2027-02-10"));
    ASSERT_EQ(result.span, BarSpan::Month);
    ASSERT_EQ(result.bars.size(), 4u);
    const LocalTime starts[] = {at(2026, 11, 1), at(2026, 12, 1), at(2027, 1, 1), at(2027, 2, 1)};
    const int64_t seconds[] = {60, 120, 0, 180};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(same_start(result.bars[i].start, starts[i])) << i;
        EXPECT_EQ(result.bars[i].seconds, seconds[i]) << i;
    }
}

// Without dates ("All record") the bars run from the first connection's month to the last's.
TEST_F(UsageBarsTest, AllRecordFromTheFirstMonthToTheLast) {
    const UsageBars result =
        bars({{"2025-12-31", "10:00", "LAN", 60, 0, 0}, {"2026-02-01", "10:00", "LAN", 60, 0, 0}},
             LogFilter{});
    ASSERT_EQ(result.bars.size(), 3u);
    EXPECT_TRUE(same_start(result.bars[0].start, at(2025, 12, 1)));
    EXPECT_TRUE(same_start(result.bars[2].start, at(2026, 2, 1)));
    EXPECT_EQ(result.bars[1].count, 0);
    EXPECT_TRUE(bars({}, LogFilter{}).bars.empty());
}

// 36 s and 30 s at 0.0001 per minute cost 0.6 and 0.5 ten-thousandths. The summary rounds
// its running sum: 1, then 1.5 to the even 2. Each day summed on its own would give 1 and
// 0, one ten-thousandth short of the summary; the bars get what each row added to it.
TEST_F(UsageBarsTest, BarsAddUpToTheSummaryExactly) {
    const UsageBars result =
        bars({{"2026-12-01", "10:00", "Tiny", 36, 0, 0}, {"2026-12-02", "10:00", "Tiny", 30, 0, 0}},
             period("2026-12-01", "2026-12-02"));
    EXPECT_EQ(result.summary.total_time_cost, 2);
    EXPECT_EQ(result.bars[0].time_cost, 1);
    EXPECT_EQ(result.bars[1].time_cost, 1);
}

TEST_F(UsageBarsTest, AStartOutsideThePeriodIsAnError) {
    EXPECT_THROW(
        bars({{"2026-12-01", "10:00", "LAN", 1, 0, 0}}, period("2026-12-02", "2026-12-03")),
        ConversionError);
    EXPECT_THROW(bars({{"2026-13-01", "10:00", "LAN", 1, 0, 0}}, LogFilter{}), ConversionError);
}

// Over a real log read as the database view reads it: the bars' totals are the summary's.
TEST_F(UsageBarsTest, TotalsEqualTheDatabaseViewsSummary) {
    std::filesystem::create_directories(m_dir.path() / "config");
    const std::string path = m_dir.str() + "/config/log.db";
    create_log_db(path);
    LogDatabase log(path);
    int n = 0;
    for (int day = 1; day <= 28; ++day) {
        for (int k = 0; k < 3; ++k) {
            char date[16];
            std::snprintf(date, sizeof date, "2026-02-%02d", day);
            LogRow row{"c" + std::to_string(++n),
                       date,
                       k == 0 ? "23:59" : "08:1" + std::to_string(k),
                       "local",
                       k == 2 ? "Tiny" : "LAN",
                       7 * n + k,
                       0,
                       1000003LL * n,
                       7919LL * k};
            log.insert_connection(row);
        }
    }
    const LogFilter filter = period("2026-02-01", "2026-02-28");
    TariffBook book(m_dir.str() + "/config/dev.ini", point_decimal());
    const DatabaseView view = read_database_view(log, filter, book);
    const UsageBars result = usage_bars(view.rows, filter, book);
    EXPECT_EQ(result.summary, view.summary);
    Tlog_summary sum;
    for (const UsageBar& bar : result.bars) {
        sum.conn_count += bar.count;
        sum.total_time += bar.seconds;
        sum.total_traffic += bar.charged;
        sum.total_time_cost += bar.time_cost;
        sum.total_traffic_cost += bar.traffic_cost;
    }
    EXPECT_EQ(sum, view.summary);
    EXPECT_EQ(result.bars.size(), 28u);
}

}  // namespace
}  // namespace quorvane::test
