#include "usage/UsageGroups.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "logdb/OrderedLogRows.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

struct Row {
    const char* date;
    const char* time;
    const char* device;
    int32_t duration;
    int64_t dload, uload;
};

// Rows in no particular order, over two months, with one device in two spellings.
const std::vector<Row> kRows = {
    {"2026-11-30", "23:10", "LAN", 600, 1000000, 20000},
    {"2026-12-01", "08:00", "lan", 60, 5000, 100},
    {"2026-12-01", "09:30", "Wi-Fi", 3600, 7000000, 300000},
    {"2026-11-02", "12:00", "Bob's \"50%\"", 125, 1, 2},
    {"2026-12-01", "07:45", "LAN", 30, 10, 20},
    {"2026-11-30", "23:10", "Wi-Fi", 1, 0, 0},
    {"2026-12-24", "18:00", "LAN", 7200, 123456789, 9876543},
    {"2026-11-02", "11:00", "Bob's \"50%\"", 59, 1024000, 0},
};

const char* const kTariffs =
    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n"
    "[Wi-Fi]\nTime_cost=2\nTime_cost_sat=1\n"
    "[Bob's \"50%\"]\nBw_cost=1.5\nBw_cost_sat=2\nBw_opt=2\n";

OrderedLogRows ordered(OrderedLogRows::Columns columns) {
    OrderedLogRows::Collector collector(columns);
    int64_t rowid = 0;
    for (const Row& r : kRows) {
        ++rowid;
        collector.add("id" + std::to_string(rowid), r.date, r.time, "local", r.device, r.duration,
                      100, r.dload, r.uload, rowid);
    }
    return collector.take();
}

// The groups made from the compact rows are those made from their copies, figure by figure
// and in the same order, by day and by month.
TEST(UsageGroupsTest, CompactRowsGroupAsTheirCopies) {
    TempDir dir;
    const std::string ini = dir.write("dev.ini", kTariffs).string();
    for (GroupBy by : {GroupBy::Day, GroupBy::Month}) {
        TariffBook copies_book(ini, point_decimal()), compact_book(ini, point_decimal());
        const std::vector<UsageGroup> expected =
            group_usage(ordered(OrderedLogRows::Columns::all).copies(), by, copies_book);
        const std::vector<UsageGroup> got =
            group_usage(ordered(OrderedLogRows::Columns::shown), by, compact_book);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(expected[i].period + " " + expected[i].device);
            EXPECT_EQ(got[i].period, expected[i].period);
            EXPECT_EQ(got[i].device, expected[i].device);
            EXPECT_EQ(got[i].download, expected[i].download);
            EXPECT_EQ(got[i].upload, expected[i].upload);
            EXPECT_EQ(got[i].total, expected[i].total);
            EXPECT_EQ(got[i].summary, expected[i].summary);
        }
    }
}

TEST(UsageGroupsTest, CompactRowsGroupByPeriodAndDeviceInAnyLetterCase) {
    TempDir dir;
    TariffBook book(dir.write("dev.ini", kTariffs).string(), point_decimal());
    const std::vector<UsageGroup> months =
        group_usage(ordered(OrderedLogRows::Columns::shown), GroupBy::Month, book);
    std::vector<std::string> keys;
    for (const UsageGroup& group : months) keys.push_back(group.period + " " + group.device);
    // "LAN" and "lan" are one device, named as its first row in view order spells it (on
    // 2026-12-01 the later start comes first: "lan" at 08:00).
    EXPECT_EQ(keys, (std::vector<std::string>{"2026-11 Bob's \"50%\"", "2026-11 LAN",
                                              "2026-11 Wi-Fi", "2026-12 lan", "2026-12 Wi-Fi"}));
    EXPECT_EQ(months[3].summary.conn_count, 3);
    EXPECT_EQ(months[3].download, 5000 + 10 + 123456789);
    EXPECT_EQ(months[3].total, months[3].download + months[3].upload);
    EXPECT_TRUE(group_usage(OrderedLogRows(), GroupBy::Day, book).empty());
}

}  // namespace
}  // namespace quorvane::test
