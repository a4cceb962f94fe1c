#include "usage/BudgetWatch.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "usage/BudgetTexts.h"
#include "usage/SummaryTexts.h"

namespace quorvane::test {
namespace {

using ::testing::IsEmpty;

Tmibdata open_connection(const std::string& id, int32_t seconds, int64_t dload) {
    Tmibdata d;
    d.deventry = "LAN";
    d.devuniqueid = id;
    d.log_startdate = "2026-12-10";
    d.log_option = 1;
    d.log_file = 1;
    d.online_time = seconds;
    d.dload_total = dload;
    return d;
}

int64_t total_cost_of(const BudgetStatus& status) {
    return total_cost(status.month_to_date);
}

const LocalTime kDecember{2026, 12, 10, 12, 0, 0};

class BudgetWatchTest : public testing::Test {
protected:
    BudgetWatchTest() {
        std::filesystem::create_directories(m_dir.path() / "config");
        create_log_db(m_dir.str() + "/config/log.db");
        // 600 s and 2048000 bytes on the 1st: 15.00 + 1.00 = 16.00, in November 9.00.
        m_log.insert_connection(
            LogRow{"lan-1", "2026-12-01", "08:00", "local", "LAN", 600, 0, 1536000, 512000});
        m_log.insert_connection(
            LogRow{"lan-0", "2026-11-30", "08:00", "local", "LAN", 360, 0, 0, 0});
    }
    void write_dev_ini(const std::string& budget) {
        m_dir.write("config/dev.ini",
                    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\n" + budget +
                        "[Wi-Fi]\nTime_cost=1\n");
    }
    std::vector<int> thresholds(const std::vector<BudgetNotice>& notices) {
        std::vector<int> given;
        for (const auto& notice : notices) given.push_back(notice.threshold);
        return given;
    }
    TempDir m_dir;
    LogDatabase m_log{m_dir.str() + "/config/log.db"};
};

// 16.00 of 20.00 is 80 %; the connection in progress takes it to 21.50, past 100 %. Each
// threshold is told once, and a restart in the same month tells neither again.
TEST_F(BudgetWatchTest, EightyOnceHundredOnceNothingAfterARestart) {
    write_dev_ini("Budget_cost=20\n");
    {
        BudgetWatch watch(m_dir.str(), point_decimal());
        const auto first = watch.update(m_log, {}, kDecember);
        ASSERT_THAT(thresholds(first), testing::ElementsAre(80));
        EXPECT_EQ(first[0].device, "LAN");
        EXPECT_EQ(first[0].title, "Monthly budget at 80 %");
        EXPECT_EQ(first[0].text,
                  "LAN: this month's cost is 16.00 of 20.00, 80 % of its monthly budget.");
        EXPECT_THAT(watch.update(m_log, {}, kDecember), IsEmpty());

        Tmibarray devices{open_connection("lan-2", 120, 1024000)};  // 3.00 + 0.50
        EXPECT_THAT(watch.update(m_log, devices, kDecember), IsEmpty());
        devices[0] = open_connection("lan-2", 180, 2048000);  // 4.50 + 1.00
        const auto second = watch.update(m_log, devices, kDecember);
        ASSERT_THAT(thresholds(second), testing::ElementsAre(100));
        EXPECT_EQ(second[0].title, "Monthly budget passed");
        EXPECT_EQ(second[0].text,
                  "LAN: this month's cost is 21.50 of 20.00, 107 % of its monthly budget.");
        EXPECT_THAT(watch.update(m_log, devices, kDecember), IsEmpty());
        ASSERT_EQ(watch.statuses().size(), 1u);
        EXPECT_EQ(total_cost_of(watch.statuses()[0]), 215000);
    }
    // The program stopped; the connection's row holds its last figures.
    m_log.insert_connection(
        LogRow{"lan-2", "2026-12-10", "11:57", "local", "LAN", 180, 0, 2048000, 0});
    BudgetWatch restarted(m_dir.str(), point_decimal());
    EXPECT_THAT(restarted.update(m_log, {}, kDecember), IsEmpty());
    EXPECT_EQ(total_cost_of(restarted.statuses()[0]), 215000);
    // A new month starts afresh: nothing used yet.
    EXPECT_THAT(restarted.update(m_log, {}, LocalTime{2027, 1, 1, 0, 0, 0}), IsEmpty());
    EXPECT_EQ(total_cost_of(restarted.statuses()[0]), 0);
}

// Already past the budget at the first look: one notice, the 100 % one.
TEST_F(BudgetWatchTest, StraightPastTheBudgetTellsOnce) {
    write_dev_ini("Budget_cost=10\n");
    BudgetWatch watch(m_dir.str(), point_decimal());
    EXPECT_THAT(thresholds(watch.update(m_log, {}, kDecember)), testing::ElementsAre(100));
    EXPECT_THAT(watch.update(m_log, {}, kDecember), IsEmpty());
}

// A budget raised after its notices counts afresh, once the settings are read again.
TEST_F(BudgetWatchTest, ARaisedBudgetCountsAfresh) {
    write_dev_ini("Budget_cost=16\n");
    BudgetWatch watch(m_dir.str(), point_decimal());
    EXPECT_THAT(thresholds(watch.update(m_log, {}, kDecember)), testing::ElementsAre(100));
    write_dev_ini("Budget_cost=19.5\n");  // 16.00 is 82 % of it
    EXPECT_THAT(watch.update(m_log, {}, kDecember), IsEmpty()) << "read at settings changes only";
    watch.settings_changed();
    EXPECT_THAT(thresholds(watch.update(m_log, {}, kDecember)), testing::ElementsAre(80));
}

// The traffic budget counts charged megabytes of 1048576 bytes: 2048000 of 2 MB is 97 %.
TEST_F(BudgetWatchTest, TrafficBudgetInMegabytes) {
    write_dev_ini("Budget_mbytes=2\n");
    BudgetWatch watch(m_dir.str(), point_decimal());
    const auto notices = watch.update(m_log, {}, kDecember);
    ASSERT_THAT(thresholds(notices), testing::ElementsAre(80));
    EXPECT_EQ(notices[0].kind, BudgetKind::Traffic);
    EXPECT_EQ(notices[0].text,
              "LAN: this month's charged traffic is 1.95 MB of 2.00 MB, 97 % of its monthly "
              "budget.");
}

TEST_F(BudgetWatchTest, DevicesWithoutABudgetAreNotWatched) {
    write_dev_ini("Budget_cost=0\nBudget_mbytes=-5\n");
    BudgetWatch watch(m_dir.str(), point_decimal());
    EXPECT_THAT(watch.update(m_log, {}, kDecember), IsEmpty());
    EXPECT_THAT(watch.statuses(), IsEmpty());
}

TEST_F(BudgetWatchTest, ABudgetThatDoesNotConvertIsAnError) {
    write_dev_ini("Budget_cost=12,5\n");
    BudgetWatch watch(m_dir.str(), point_decimal());
    EXPECT_THROW(watch.update(m_log, {}, kDecember), ConversionError);
}

TEST(BudgetThresholdTest, ReachedExactlyAndPercentRoundedDown) {
    DeviceBudget budget{200000, 10000};  // 20.00 and 1 MB
    struct Case {
        int64_t cost, traffic;
        int64_t cost_percent, traffic_percent;
        bool cost_80, cost_100, traffic_100;
    } cases[] = {
        {159999, 0, 79, 0, false, false, false},
        {160000, 838861, 80, 80, true, false, false},
        {199999, 1048575, 99, 99, true, false, false},
        {200000, 1048576, 100, 100, true, true, true},
        {450000, 3145728, 225, 300, true, true, true},
    };
    for (const auto& c : cases) {
        Tlog_summary used;
        used.total_time_cost = c.cost;
        used.total_traffic = c.traffic;
        EXPECT_EQ(percent_used(budget, BudgetKind::Cost, used), c.cost_percent) << c.cost;
        EXPECT_EQ(percent_used(budget, BudgetKind::Traffic, used), c.traffic_percent) << c.traffic;
        EXPECT_EQ(has_reached(budget, BudgetKind::Cost, used, 80), c.cost_80) << c.cost;
        EXPECT_EQ(has_reached(budget, BudgetKind::Cost, used, 100), c.cost_100) << c.cost;
        EXPECT_EQ(has_reached(budget, BudgetKind::Traffic, used, 100), c.traffic_100) << c.traffic;
    }
    EXPECT_FALSE(has_reached(DeviceBudget{}, BudgetKind::Cost, Tlog_summary{}, 80));
    EXPECT_EQ(used_of_budget(budget, BudgetKind::Cost, Tlog_summary{1, 0, 5000, 0, 12345678},
                             comma_decimal()),
              "1.235,07 of 20,00");
}

}  // namespace
}  // namespace quorvane::test
