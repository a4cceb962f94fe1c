// The last figures of a connection reach its row when the connection ends: the device goes
// offline, its interface vanishes, or the program stops. The log may be locked or replaced
// at that moment.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <tuple>

#include "logdb/OtherConnection.h"
#include "traffic/EngineFixture.h"

namespace quorvane {
namespace {

using test::ipv4;

class ConnectionEnd : public test::EngineFixture {
public:
    using EngineFixture::engine;
    using EngineFixture::net;
    using EngineFixture::tick;

    // Ticks with traffic on interface 2: each tick 1000 bytes in and 10 out.
    void traffic_ticks(int n) {
        for (int i = 0; i < n; ++i) {
            net.row(2).dwInOctets += 1000;
            net.row(2).dwOutOctets += 10;
            tick();
        }
    }
    LogRow only_row() {
        auto logged = rows();
        EXPECT_EQ(logged.size(), 1u);
        return logged.empty() ? LogRow{} : logged[0];
    }
};

// Device, duration and download of a row.
using Figures = std::tuple<std::string, int32_t, int64_t>;
std::set<Figures> figures(const std::vector<LogRow>& rows) {
    std::set<Figures> result;
    for (const auto& row : rows) result.insert({row.deventry, row.duration, row.dload});
    return result;
}

struct EndCase {
    const char* what;
    std::function<void(ConnectionEnd&)> end;
};

class EveryEnd : public ConnectionEnd, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EveryEnd, WritesTheFiguresOfTheLastOnlineTick) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    tick();             // inserted with no traffic
    traffic_ticks(12);  // well before the first scheduled rewrite
    ASSERT_EQ(only_row().duration, 0);
    GetParam().end(*this);
    const LogRow row = only_row();
    EXPECT_EQ(row.duration, 12);
    EXPECT_EQ(row.dload, 12000);
    EXPECT_EQ(row.uload, 120);
    EXPECT_EQ(row.startdate, "2024-01-05");
    EXPECT_EQ(row.starttime, "13:45");
    EXPECT_EQ(row.deventry, "LAN");
}

INSTANTIATE_TEST_SUITE_P(Ends, EveryEnd,
                         ::testing::Values(EndCase{"DeviceGoesOffline",
                                                   [](ConnectionEnd& t) {
                                                       // Crossed after the last online tick: not
                                                       // counted.
                                                       t.net.row(2).dwInOctets += 777;
                                                       t.net.set_address(2, 0);
                                                       t.tick();
                                                   }},
                                           EndCase{"InterfaceVanishes",
                                                   [](ConnectionEnd& t) {
                                                       t.net.remove_interface(2);
                                                       t.tick();
                                                   }},
                                           EndCase{"ProgramStops",
                                                   [](ConnectionEnd& t) {
                                                       t.engine->write_final_figures();
                                                   }}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(ConnectionEnd, TheEndedRowIsLeftAloneAfterwardsAndTheNextConnectionIsANewRow) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    tick();
    traffic_ticks(40);  // rewritten on ticks 30 and 32, then ended on tick 42
    net.set_address(2, 0);
    tick(40);  // offline over the rewrites of ticks 62 and 64
    engine->write_final_figures();
    EXPECT_EQ(only_row().duration, 40);
    EXPECT_EQ(only_row().dload, 40000);

    net.set_address(2, ipv4(10, 0, 0, 2));
    traffic_ticks(3);
    engine->write_final_figures();
    engine->write_final_figures();  // a second stop writes the same figures again
    auto logged = rows();
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(figures(logged), (std::set<Figures>{{"LAN", 3, 3000}, {"LAN", 40, 40000}}));
}

TEST_F(ConnectionEnd, NothingIsWrittenForDevicesThatAreNotLogged) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
    write_dev_ini("[LAN]\nlog_option=0\n");
    traffic_ticks(5);
    net.set_address(2, 0);
    tick();
    engine->write_final_figures();
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].deventry, "WAN");
}

// Another process keeps the log locked while the connection ends: the sampling goes on,
// the failed rewrite is kept and done once the lock is gone.
TEST_F(ConnectionEnd, ALockedLogDelaysTheLastRewriteUntilItIsReleased) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "WAN", ipv4(10, 0, 0, 3));
    tick();
    traffic_ticks(5);
    test::OtherConnection writer(dir.str() + "/config/log.db");
    writer.exec("BEGIN IMMEDIATE; UPDATE log SET speed = speed");
    net.set_address(2, 0);
    EXPECT_THROW(tick(), LogDatabaseError);
    net.add_ethernet(4, "DSL", ipv4(10, 0, 0, 4));
    EXPECT_THROW(tick(), LogDatabaseError);  // the new connection waits too
    EXPECT_EQ(device(3).online_time, 7);     // counting went on
    EXPECT_EQ(device(4).new_connection, 1);
    writer.exec("COMMIT");

    tick();
    engine->write_final_figures();
    auto logged = rows();
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(figures(logged), (std::set<Figures>{{"DSL", 1, 0}, {"LAN", 5, 5000}, {"WAN", 8, 0}}));
}

// The log file is deleted and a new one provisioned while connections are open: their rows
// go into the new file at the next tick, with their start, and are rewritten there.
TEST_F(ConnectionEnd, AReplacedLogFileGetsTheOpenConnectionsAtTheNextTick) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    tick();
    traffic_ticks(4);
    const auto db = dir.path() / "config" / "log.db";
    std::filesystem::remove(db);
    clock.time.minute = 59;
    EXPECT_THROW(tick(), LogDatabaseError);  // no file: the usual error
    EXPECT_FALSE(std::filesystem::exists(db));
    test::create_log_db(db.string());
    traffic_ticks(1);
    LogRow row = only_row();
    EXPECT_EQ(row.starttime, "13:45");
    EXPECT_EQ(row.duration, 6);
    EXPECT_EQ(row.dload, 5000);

    net.set_address(2, 0);
    tick();
    row = only_row();
    EXPECT_EQ(row.duration, 6);
    EXPECT_EQ(row.dload, 5000);
}

TEST_F(ConnectionEnd, AnEndedConnectionReachesAReplacedFileToo) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    tick();
    traffic_ticks(3);
    const auto db = dir.path() / "config" / "log.db";
    std::filesystem::remove(db);
    test::create_log_db(db.string());
    net.remove_interface(2);
    tick();
    const LogRow row = only_row();
    EXPECT_EQ(row.duration, 3);
    EXPECT_EQ(row.dload, 3000);
}

}  // namespace
}  // namespace quorvane
