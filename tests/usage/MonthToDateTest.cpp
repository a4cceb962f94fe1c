#include "usage/MonthToDate.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

// An open, logged connection of the device table with its row in the log.
Tmibdata open_connection(const std::string& id, const std::string& device, const std::string& start,
                         int32_t seconds, int64_t dload, int64_t uload) {
    Tmibdata d;
    d.deventry = device;
    d.devuniqueid = id;
    d.log_startdate = start;
    d.log_option = 1;
    d.log_file = 1;
    d.online_time = seconds;
    d.dload_total = dload;
    d.uload_total = uload;
    return d;
}

class MonthToDateTest : public testing::Test {
protected:
    MonthToDateTest() {
        // LAN: 1.5 per minute and 0.5 per Mbyte (1024000 bytes) of both directions.
        m_dir.write("config/dev.ini",
                    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\n");
    }
    OrderedLogRows december_rows() {
        OrderedLogRows::Collector rows;
        // 600 s and 2048000 bytes: 15.00 + 1.00.
        rows.add("lan-1", "2026-12-01", "08:00", "local", "LAN", 600, 0, 1536000, 512000, 1);
        // The open connection's row, whose figures come live.
        rows.add("lan-open", "2026-12-10", "09:00", "local", "lan", 60, 0, 0, 0, 2);
        // November's last connection is not this month's.
        rows.add("lan-nov", "2026-11-30", "23:59", "local", "LAN", 3600, 0, 0, 0, 3);
        rows.add("wifi-1", "2026-12-02", "10:00", "local", "Wi-Fi", 60, 0, 5000, 0, 4);
        return rows.take();
    }
    int64_t total_of() {
        const Tlog_summary s = m_mtd.of("LAN");
        return s.total_time_cost + s.total_traffic_cost;
    }
    TempDir m_dir;
    TariffBook m_book{m_dir.str() + "/config/dev.ini", point_decimal()};
    MonthToDate m_mtd;
};

TEST_F(MonthToDateTest, LoggedConnectionsOfTheMonthPlusTheOneInProgress) {
    Tmibarray devices{open_connection("lan-open", "LAN", "2026-12-10", 120, 1024000, 0)};
    m_mtd.set_base(LocalTime{2026, 12, 10, 9, 2, 0}, december_rows(), devices, m_book);
    m_mtd.follow(devices, m_book);
    // 16.00, and 120 s with 1024000 bytes live: 3.00 + 0.50.
    EXPECT_EQ(m_mtd.of("lan"), (Tlog_summary{2, 3072000, 15000, 720, 180000}));
    EXPECT_EQ(m_mtd.of("Wi-Fi"), (Tlog_summary{1, 5000, 0, 60, 0}));
    EXPECT_EQ(m_mtd.of("Nobody"), Tlog_summary{});

    // A minute later, 2048000 bytes: 4.50 + 1.00 live.
    devices[0] = open_connection("lan-open", "LAN", "2026-12-10", 180, 2048000, 0);
    m_mtd.follow(devices, m_book);
    EXPECT_EQ(total_of(), 215000);

    // It ends: its last figures stay in the month.
    devices[0].devuniqueid.clear();
    devices[0].log_file = 0;
    m_mtd.follow(devices, m_book);
    EXPECT_EQ(m_mtd.of("LAN"), (Tlog_summary{2, 4096000, 20000, 780, 195000}));
}

// Across the turn of the month a connection counts with what it does in the new month.
TEST_F(MonthToDateTest, AConnectionOpenAtTheTurnOfTheMonth) {
    Tmibarray devices{open_connection("lan-open", "LAN", "2026-12-31", 120, 1024000, 0)};
    m_mtd.set_base(LocalTime{2026, 12, 31, 23, 59, 0}, OrderedLogRows{}, devices, m_book);
    m_mtd.follow(devices, m_book);
    const LocalTime january{2027, 1, 1, 0, 0, 1};
    EXPECT_TRUE(m_mtd.is_stale(january));
    m_mtd.set_base(january, OrderedLogRows{}, devices, m_book);
    m_mtd.follow(devices, m_book);
    EXPECT_EQ(m_mtd.of("LAN"), (Tlog_summary{1, 0, 0, 0, 0}));
    // 60 s and 1024000 bytes more: 1.50 + 0.50.
    devices[0] = open_connection("lan-open", "LAN", "2026-12-31", 180, 2048000, 0);
    m_mtd.follow(devices, m_book);
    EXPECT_EQ(m_mtd.of("LAN"), (Tlog_summary{1, 1024000, 5000, 60, 15000}));
}

}  // namespace
}  // namespace quorvane::test
