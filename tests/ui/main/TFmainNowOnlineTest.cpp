#include <gtest/gtest.h>

#include "ui/MainFaceFixture.h"

namespace quorvane::test {
namespace {

using NowOnline = MainFaceFixture;

// 1.5 per minute; 0.5 per Mbyte of 1,024,000 bytes, both directions.
const char* const kLanTariff =
    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n";

TEST_F(NowOnline, ListsTheOnlineDevicesAndTheSelectedOnesCosts) {
    dir.write("config/dev.ini", kLanTariff);
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "Backup", 0);  // offline: no row
    net.add_ethernet(4, "Office \"WAN\" [2]", ipv4(10, 0, 1, 2));
    window->restore();

    ticks(1);
    traffic(2, 1536000, 512000);
    ticks(90);

    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"LAN", "Office \"WAN\" [2]"}));
    EXPECT_EQ(window->grid_model()->rowCount(), 11) << "eleven data rows below the header";
    const Tmibdata& lan = window->engine().mibarray()[0];
    EXPECT_EQ(cell(0, 0), lan.startdate);
    EXPECT_EQ(cell(0, 1), lan.starttime);
    EXPECT_EQ(cell(0, 3), "00:01:30");
    EXPECT_EQ(cell(0, 4), "1.46 MB");
    EXPECT_EQ(cell(0, 5), "500.00 KB");
    EXPECT_EQ(cell(0, 6), "1.95 MB");
    EXPECT_EQ(window->summary()->Label7()->text(), "--");
    EXPECT_EQ(summary_labels(),
              (std::vector<std::string>{"LAN", "1", "00:01:30 / 2.25", "1.95 MB / 1.00", "3.25"}));
}

TEST_F(NowOnline, ASelectionBelowTheOnlineRowsShowsZeroValues) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(4, "WAN", ipv4(10, 0, 1, 2));
    window->restore();
    ticks(2);

    window->StringGrid1()->select_row(5);
    ticks(1);

    EXPECT_EQ(summary_labels(),
              (std::vector<std::string>{"", "1", "00:00:00 / 0.00", "0.00 B / 0.00", "0.00"}));
}

TEST_F(NowOnline, TheSelectionStaysOnItsRowAndTheLaterOfTwoEqualNamesCounts) {
    dir.write("config/dev.ini", "[LAN]\nTime_cost=60\n");  // 1 a second
    net.add_ethernet(2, "WAN", ipv4(10, 0, 0, 1));
    net.add_ethernet(3, "LAN", ipv4(10, 0, 0, 2));
    window->restore();
    ticks(3);
    window->StringGrid1()->select_row(1);
    net.add_ethernet(4, "LAN", ipv4(10, 0, 0, 3));  // a second device of the same name
    ticks(2);

    EXPECT_EQ(window->StringGrid1()->selected_row(), 1);
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"WAN", "LAN", "LAN"}));
    // The newer LAN has been online for one second, the older one for four.
    EXPECT_EQ(summary_labels(),
              (std::vector<std::string>{"LAN", "1", "00:00:01 / 1.00", "0.00 B / 0.00", "1.00"}));
}

TEST_F(NowOnline, MoreOnlineDevicesThanRowsAllGetARow) {
    for (uint32_t i = 1; i <= 14; ++i)
        net.add_ethernet(i, "eth" + std::to_string(i), ipv4(10, 0, 0, int(i)));
    window->restore();
    ticks(1);
    EXPECT_EQ(window->grid_model()->rowCount(), 14);
    EXPECT_EQ(devices_shown().back(), "eth14");
}

TEST_F(NowOnline, ABadTariffStopsTheGridAtTheSelectedRowLeavesNoFiguresButLogs) {
    net.add_ethernet(2, "WAN", ipv4(10, 0, 0, 1));
    net.add_ethernet(3, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(4, "DSL", ipv4(10, 0, 0, 3));
    window->restore();
    ticks(1);
    window->StringGrid1()->select_row(1);
    ticks(1);
    const auto before = summary_labels();
    dir.write("config/dev.ini", "[lan]\nTime_cost=abc\n");
    net.add_ethernet(5, "NEW", ipv4(10, 0, 0, 5));

    ticks(1);

    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"WAN", "LAN"}));
    EXPECT_NE(summary_labels(), before);
    EXPECT_EQ(summary_labels(), (std::vector<std::string>(5, "--")))
        << "no figures of an earlier refresh";
    ASSERT_FALSE(events.entries().empty());
    EXPECT_NE(events.entries().back().second.find("abc"), std::string::npos);
    EXPECT_EQ(window->log_database().read_filtered(LogFilter{}).size(), 4u)
        << "the new connection is logged all the same";
}

TEST_F(NowOnline, TheGridIsLeftAloneWhileHiddenOrInTheDatabaseView) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    ticks(1);
    EXPECT_EQ(window->grid_model()->data_rows(), 0) << "hidden";

    window->restore();
    window->RadiofrimdatabaseClick();
    const auto shown = devices_shown();
    net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
    ticks(1);
    EXPECT_EQ(devices_shown(), shown);
}

}  // namespace
}  // namespace quorvane::test
