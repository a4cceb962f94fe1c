#include <gtest/gtest.h>

#include "traffic/CounterRules.h"
#include "traffic/EngineFixture.h"

namespace quorvane {
namespace {

using test::ipv4;
constexpr uint64_t k2_32 = uint64_t{1} << 32;

class SamplingCycle : public test::EngineFixture {};

TEST_F(SamplingCycle, FirstTickCreatesZeroDevicesAndSecondTickCounts) {
    auto& r = net.add_ethernet(2, "Local Area Connection", ipv4(192, 168, 0, 2));
    r.dwInOctets = 70000;
    r.dwOutOctets = 9000;
    net.add_interface(1, 24, "lo", ipv4(127, 0, 0, 1));
    engine->advance_tick_counter();
    engine->sample_interfaces();

    ASSERT_EQ(engine->mibarray().size(), 2u);
    const Tmibdata& d = device(2);
    EXPECT_EQ(d.deventry, "Local Area Connection");
    EXPECT_EQ(d.mac, "00-0C-29-00-00-02");
    EXPECT_EQ(d.ip, "192.168.0.2");
    EXPECT_EQ(d.if_type, "MIB_IF_TYPE_ETHERNET");
    EXPECT_EQ(d.oper_status, "MIB_IF_OPER_STATUS_OPERATIONAL");
    EXPECT_EQ(d.dload_rate + d.uload_rate + d.dload_total + d.online_time, 0);
    EXPECT_EQ(d.in_octets, 70000);
    EXPECT_EQ(d.new_connection, 1);
    EXPECT_EQ(d.devuniqueid, "2-20240105134502-7");
    EXPECT_EQ(d.startdate, "05/01/2024");
    EXPECT_EQ(d.starttime, "13:45");
    EXPECT_EQ(d.log_option, 0);
    EXPECT_TRUE(engine->dev_cfg_changed());
    EXPECT_EQ(device(1).deventry, "lo");

    r.dwInOctets += 1500;
    r.dwOutOctets += 60;
    engine->sample_interfaces();
    EXPECT_EQ(device(2).dload_rate, 1500);
    EXPECT_EQ(device(2).uload_rate, 60);
    EXPECT_EQ(device(2).online_time, 1);
}

struct CounterCase {
    const char* what;
    bool has64;
    uint64_t before, after;
    int64_t rate;
    int32_t wraps;
};

TEST_F(SamplingCycle, CountingRuleWrapsAndResets) {
    const CounterCase cases[] = {
        {"32-bit step", false, 1000, 5000, 4000, 0},
        {"32-bit wrap", false, 4294967000u, 200, 496, 1},
        // Without wider counters a fall-back cannot be told from a wrap.
        {"32-bit fall-back", false, 5000, 1000, 4294963296, 1},
        {"64-bit wrap of the low half", true, 4294967000u, k2_32 + 200, 496, 1},
        {"64-bit reset counts only what is new", true, 5000, 1000, 1000, 0},
        {"64-bit jump over several wraps", true, 10, 3 * k2_32 + 10, int64_t(3 * k2_32), 3},
    };
    uint32_t index = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ++index;
        auto& r = net.add_ethernet(index, "eth", ipv4(10, 0, 0, index));
        auto set = [&](uint64_t v) {
            r.has_octets64 = c.has64;
            r.in_octets64 = r.out_octets64 = v;
            r.dwInOctets = r.dwOutOctets = uint32_t(v);
        };
        set(c.before);
        engine->sample_interfaces();
        set(c.after);
        engine->sample_interfaces();
        const Tmibdata& d = device(index);
        EXPECT_EQ(d.dload_rate, c.rate);
        EXPECT_EQ(d.uload_rate, c.rate);
        EXPECT_EQ(d.in_wraps, c.wraps);
        EXPECT_EQ(d.in_octets, int64_t(c.wraps) * int64_t(k2_32) + uint32_t(c.after));
        EXPECT_EQ(d.dload_total, c.rate);
        net.remove_interface(index);
    }
}

TEST_F(SamplingCycle, TotalsPeaksAndAveragesOverOnlineTicks) {
    auto& r = net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    engine->sample_interfaces();
    for (uint32_t rate : {0u, 300u, 0u, 100u}) {
        r.dwInOctets += rate;
        engine->sample_interfaces();
    }
    const Tmibdata& d = device(2);
    EXPECT_EQ(d.dload_total, 400);
    EXPECT_EQ(d.dload_ticks, 2);
    EXPECT_EQ(d.dload_avg, 200);
    EXPECT_EQ(d.dload_peak, 300);
    EXPECT_EQ(d.online_time, 4);
    EXPECT_EQ(d.uload_avg, 0);  // no upload tick yet: the average stays 0
}

TEST_F(SamplingCycle, OfflineResetsAndTheNextOnlineTickStartsANewConnection) {
    auto& r = net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    engine->sample_interfaces();
    r.dwInOctets += 800;
    engine->sample_interfaces();
    const std::string first_id = device(2).devuniqueid;

    net.set_address(2, 0);
    r.dwInOctets += 50;  // traffic while offline is not counted
    engine->sample_interfaces();
    const Tmibdata& off = device(2);
    EXPECT_EQ(off.dload_rate + off.dload_total + off.dload_peak + off.dload_avg, 0);
    EXPECT_EQ(off.online_time, 0);
    EXPECT_EQ(off.startdate, "0");
    EXPECT_EQ(off.starttime, "0");
    EXPECT_EQ(off.new_connection, 1);
    EXPECT_EQ(off.devuniqueid, "");

    net.set_address(2, ipv4(10, 0, 0, 2));
    r.dwInOctets += 70;
    clock.time.second = 30;
    engine->sample_interfaces();
    const Tmibdata& on = device(2);
    EXPECT_EQ(on.dload_rate, 70);
    EXPECT_EQ(on.online_time, 1);
    EXPECT_NE(on.devuniqueid, first_id);
    EXPECT_EQ(on.devuniqueid.rfind("2-20240105134530-", 0), 0u);
}

TEST_F(SamplingCycle, InterfaceWithoutAddressIsOnline) {
    auto& r = net.add_ethernet(2, "LAN", 0);
    net.addresses.clear();  // no row at all: "!not_found!"
    engine->sample_interfaces();
    r.dwInOctets += 10;
    engine->sample_interfaces();
    EXPECT_EQ(device(2).ip, "!not_found!");
    EXPECT_EQ(device(2).dload_rate, 10);
    EXPECT_EQ(device(2).online_time, 1);
}

TEST_F(SamplingCycle, VanishedInterfaceIsDroppedAndOthersKeepOrder) {
    for (uint32_t i : {5u, 3u, 8u})
        net.add_ethernet(i, "eth" + std::to_string(i), ipv4(10, 0, 0, i));
    engine->sample_interfaces();
    net.remove_interface(3);
    engine->sample_interfaces();
    ASSERT_EQ(engine->mibarray().size(), 2u);
    EXPECT_EQ(engine->mibarray()[0].if_index, 5u);
    EXPECT_EQ(engine->mibarray()[1].if_index, 8u);

    net.interfaces.clear();  // an unreadable table reads as empty
    engine->sample_interfaces();
    EXPECT_TRUE(engine->mibarray().empty());
}

TEST_F(SamplingCycle, StatusChangeWhileOnlineKeepsTheConnection) {
    auto& r = net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    engine->sample_interfaces();
    const std::string id = device(2).devuniqueid;
    r.dwOperStatus = 4;
    engine->sample_interfaces();
    EXPECT_EQ(device(2).oper_status, "MIB_IF_OPER_STATUS_CONNECTED");
    EXPECT_EQ(device(2).devuniqueid, id);
}

TEST_F(SamplingCycle, SpeedIsCappedNotWrapped) {
    net.add_ethernet(2, "fast", ipv4(10, 0, 0, 2)).dwSpeed = 4294967295u;
    net.add_ethernet(3, "slow", ipv4(10, 0, 0, 3)).dwSpeed = 100000000;
    engine->sample_interfaces();
    EXPECT_EQ(device(2).speed, 2147483647);
    EXPECT_EQ(device(3).speed, 100000000);
}

TEST_F(SamplingCycle, TrayCountsOnlyIncludedDevicesAndTheLastTick) {
    auto& a = net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    auto& b = net.add_ethernet(3, "B", ipv4(10, 0, 0, 3));
    write_dev_ini("[B]\ntray_option=0\n");
    tick();
    a.dwInOctets += 100;   // A only receives
    b.dwOutOctets += 100;  // B only sends, but does not count
    tick();
    EXPECT_EQ(observer.tray, 1);
    a.dwOutOctets += 5;
    tick();
    EXPECT_EQ(observer.tray, 2);
    tick();
    EXPECT_EQ(observer.tray, 0);
    EXPECT_EQ(tray_icon_index(true, true), 3);
}

TEST_F(SamplingCycle, WindowsAreFedOnlyWhenTheyAsk) {
    net.add_ethernet(2, "A", ipv4(10, 0, 0, 2));
    engine->sample_interfaces();
    EXPECT_EQ(observer.meter_updates + observer.stat_updates, 0);
    observer.meter_on = observer.stat_on = true;
    engine->sample_interfaces();
    EXPECT_EQ(observer.meter_updates, 1);
    EXPECT_EQ(observer.stat_updates, 1);
    EXPECT_EQ(observer.meter_seen, 1u);
}

TEST_F(SamplingCycle, DiagnosticLinePerDevice) {
    net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    net.add_interface(1, 24, "lo", ipv4(127, 0, 0, 1));
    engine->sample_interfaces();
    EXPECT_EQ(engine->diagnostic_lines(),
              (std::vector<std::string>{"LAN 5 MIB_IF_OPER_STATUS_OPERATIONAL 10.0.0.2 "
                                        "MIB_IF_TYPE_ETHERNET",
                                        "lo 5 MIB_IF_OPER_STATUS_OPERATIONAL 127.0.0.1 "
                                        "MIB_IF_TYPE_LOOPBACK"}));
}

TEST(TickCounter, RunsOneToThirtyOneThenZero) {
    int counter = 0;
    std::vector<int> seen;
    for (int i = 1; i <= 33; ++i) {
        counter = next_tick_counter(counter);
        if (i >= 30) seen.push_back(counter);
    }
    EXPECT_EQ(seen, (std::vector<int>{30, 31, 0, 1}));
}

}  // namespace
}  // namespace quorvane
