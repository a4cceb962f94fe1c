#include <gtest/gtest.h>

#include <filesystem>

#include "config/Conversions.h"
#include "traffic/EngineFixture.h"

namespace quorvane {
namespace {

using test::ipv4;

class ConnectionLogging : public test::EngineFixture {};

TEST_F(ConnectionLogging, InsertOnFirstTickThenUpdatesOnTicksThirtyAndZero) {
    auto& r = net.add_ethernet(2, "Local Area Connection", ipv4(192, 168, 0, 2));
    tick();
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    LogRow expected;
    expected.devuniqueid = "2-20240105134502-7";
    expected.startdate = "2024-01-05";
    expected.starttime = "13:45";
    expected.deventry = "Local Area Connection";
    expected.speed = 100000000;
    EXPECT_EQ(logged[0], expected);
    EXPECT_EQ(device(2).new_connection, 0);

    // Duration in the log after each tick: it moves only on ticks 30, 32, 62 and 64.
    std::map<int, int> duration_after = {{29, 0},  {30, 29}, {31, 29}, {32, 31},
                                         {61, 31}, {62, 61}, {63, 61}, {64, 63}};
    for (int t = 2; t <= 64; ++t) {
        r.dwInOctets += 1000;
        r.dwOutOctets += 10;
        tick();
        if (auto it = duration_after.find(t); it != duration_after.end()) {
            SCOPED_TRACE("tick " + std::to_string(t));
            const LogRow row = rows().at(0);
            EXPECT_EQ(row.duration, it->second);
            EXPECT_EQ(row.dload, int64_t(it->second) * 1000);
            EXPECT_EQ(row.uload, int64_t(it->second) * 10);
        }
    }
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ConnectionLogging, OfflineStopsUpdatesAndReturnStartsANewRow) {
    auto& r = net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    tick(30);  // inserted on tick 1, updated on tick 30 with duration 29
    net.set_address(2, 0);
    tick(10);  // offline over tick 32: no update
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].duration, 29);

    net.set_address(2, ipv4(10, 0, 0, 2));
    clock.time.minute = 50;
    r.dwInOctets += 5;
    tick();
    logged = rows();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_NE(logged[0].devuniqueid, logged[1].devuniqueid);
    const LogRow& second = logged[0].starttime == "13:50" ? logged[0] : logged[1];
    EXPECT_EQ(second.starttime, "13:50");
    EXPECT_EQ(second.duration, 1);
    EXPECT_EQ(second.dload, 5);
}

TEST_F(ConnectionLogging, TwoDevicesAreUpdatedOnTheSameTicks) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "B", ipv4(10, 0, 0, 3));
    tick(32);
    for (const LogRow& row : rows()) EXPECT_EQ(row.duration, 31) << row.deventry;
}

TEST_F(ConnectionLogging, LogOptionOtherThanOneLogsNothingAndKeepsTheConnectionsStart) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "B", ipv4(10, 0, 0, 3));
    write_dev_ini("[a]\nlog_option=0\n[B]\nlog_option=2\n");
    tick(3);
    clock.time.hour = 14;
    tick(30);
    EXPECT_TRUE(rows().empty());
    // The start shown is the connection's first online tick, not the clock of every tick.
    EXPECT_EQ(device(2).starttime, "13:45");
    EXPECT_EQ(device(3).starttime, "13:45");
    EXPECT_EQ(device(2).new_connection, 1);

    // Switched on later: the row starts now, with the figures since the connection began.
    write_dev_ini("[A]\nlog_option=1\n[B]\nlog_option=2\n");
    engine->set_dev_cfg_changed();
    clock.time.hour = 15;
    tick();
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].deventry, "A");
    EXPECT_EQ(logged[0].starttime, "15:45");
    EXPECT_EQ(logged[0].duration, 33);
    EXPECT_EQ(device(2).starttime, "13:45");
}

TEST_F(ConnectionLogging, AConnectionThatComesBackOnlineStartsAtItsFirstOnlineTick) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    write_dev_ini("[A]\nlog_option=0\n");
    tick(2);
    net.set_address(2, 0);
    tick(2);
    clock.time.hour = 16;
    net.set_address(2, ipv4(10, 0, 0, 2));
    tick();
    clock.time.hour = 17;
    tick(3);
    EXPECT_EQ(device(2).starttime, "16:45");
}

TEST_F(ConnectionLogging, UnreadableOptionStopsLoggingUntilCorrected) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    for (const char* bad : {"yes", ""}) {
        SCOPED_TRACE(bad);
        write_dev_ini(std::string("[A]\nlog_option=") + bad + "\n");
        EXPECT_THROW(tick(), ConversionError);
        EXPECT_THROW(tick(), ConversionError);  // tried again on every tick
        EXPECT_TRUE(engine->dev_cfg_changed());
        EXPECT_TRUE(rows().empty());
    }
    write_dev_ini("[A]\ntray_option=1\n");  // missing key: logged
    tick();
    EXPECT_FALSE(engine->dev_cfg_changed());
    EXPECT_EQ(rows().size(), 1u);
}

TEST_F(ConnectionLogging, DeviceNamesWithQuotesLogFine) {
    net.add_ethernet(2, R"(Bob's "fast" LAN)", ipv4(10, 0, 0, 2));
    tick(30);
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].deventry, R"(Bob's "fast" LAN)");
    EXPECT_EQ(logged[0].duration, 29);
}

TEST_F(ConnectionLogging, FailedInsertIsTriedAgainOnTheNextTick) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    const auto db = dir.path() / "config" / "log.db";
    const auto aside = dir.path() / "log.db.aside";
    std::filesystem::rename(db, aside);
    EXPECT_THROW(tick(), LogDatabaseError);
    EXPECT_THROW(tick(), LogDatabaseError);
    EXPECT_FALSE(std::filesystem::exists(db));  // never created by the program
    EXPECT_EQ(device(2).new_connection, 1);

    std::filesystem::rename(aside, db);
    tick();
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].duration, 2);
}

TEST_F(ConnectionLogging, WritelogModes) {
    engine->writelog("9-1", "local", "X", 5, 7, int64_t(1) << 40, 3, 0);
    engine->writelog("9-1", "local", "X", 6, 7, (int64_t(1) << 40) + 1, 4, 1);
    engine->writelog("9-1", "local", "X", 99, 7, 0, 0, 2);  // any other mode does nothing
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].duration, 6);
    EXPECT_EQ(logged[0].dload, (int64_t(1) << 40) + 1);
    EXPECT_EQ(logged[0].uload, 4);
}

}  // namespace
}  // namespace quorvane
