#include <gtest/gtest.h>

#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/FakeRandom.h"
#include "traffic/AddressFormat.h"
#include "traffic/DeviceNaming.h"
#include "traffic/InterfaceNames.h"

namespace quorvane {
namespace {

using test::ipv4;

TEST(IpOfInterface, FirstRowInSortedOrderOrNotFound) {
    TMibIPAddrArray table = {{ipv4(10, 0, 0, 1), 7}, {ipv4(10, 0, 0, 2), 7}, {0, 9}};
    EXPECT_EQ(ip_of_interface(table, 7), "10.0.0.1");
    EXPECT_EQ(ip_of_interface(table, 9), "0.0.0.0");
    EXPECT_EQ(ip_of_interface(table, 3), "!not_found!");
    EXPECT_EQ(ip_of_interface(TMibIPAddrArray{}, 3), "!not_found!");
}

TEST(DialupNameOfIp, FirstMatchingConnectionStripped) {
    TDialupEntriesArray conns = {{"Work VPN", " 10.1.1.1\n"}, {"Home ISP", "10.1.1.1"}};
    EXPECT_EQ(dialup_name_of_ip(conns, "10.1.1.1"), "Work VPN");
    EXPECT_EQ(dialup_name_of_ip(conns, "10.1.1.2"), "unknown");
    EXPECT_EQ(dialup_name_of_ip(TDialupEntriesArray{}, "10.1.1.1"), "unknown");
}

TEST(AdapterNameOfMac, MatchesTheAddressText) {
    IP_ADAPTER_INFO a;
    a.AdapterName = " eth0 ";
    a.AddressLength = 6;
    a.Address = {0, 0x0C, 0x29, 0xAB, 0xCD, 0xEF};
    TIP_ADAPTER_INFO_ARR list = {a};
    EXPECT_EQ(adapter_name_of_mac(list, "00-0C-29-AB-CD-EF"), "eth0");
    EXPECT_EQ(adapter_name_of_mac(list, "00-0C-29-AB-CD-EE"), "unknown");
}

TEST(DeviceName, ChosenByTypeName) {
    test::FakeNetwork net;
    net.add_ethernet(2, "Home LAN", ipv4(192, 168, 1, 5));
    net.add_interface(1, 24, "lo", ipv4(127, 0, 0, 1));
    net.add_interface(3, 23, "ppp0", ipv4(10, 64, 0, 9));
    net.dialup_connections = {{"Provider", "10.64.0.9"}};
    NetworkSnapshot snap(net, net);

    const auto& eth = net.row(2);
    EXPECT_EQ(device_name(if_type_name(6), "192.168.1.5", "eth0",
                          mac_to_str(eth.bPhysAddr, eth.dwPhysAddrLen), snap, net),
              "Home LAN");
    EXPECT_EQ(device_name(if_type_name(24), "127.0.0.1", "lo", "00-00-00-00-00-00", snap, net),
              "lo");
    EXPECT_EQ(device_name(if_type_name(23), "10.64.0.9", "ppp0", "", snap, net), "Provider");
    EXPECT_EQ(device_name(if_type_name(23), "!not_found!", "ppp0", "", snap, net), "unknown");
    // A MAC that matches no adapter looks up the name of "unknown", which has none.
    EXPECT_EQ(device_name(if_type_name(71), "1.2.3.4", "wlan0", "AA-BB", snap, net), "");
}

TEST(NetworkSnapshot, ReadsEachTableOncePerTick) {
    test::FakeNetwork net;
    for (uint32_t i = 1; i <= 5; ++i)
        net.add_ethernet(i, "eth" + std::to_string(i), ipv4(10, 0, 0, i));
    NetworkSnapshot snap(net, net);
    for (uint32_t i = 1; i <= 5; ++i) {
        snap.ip_of_interface(i);
        snap.adapter_name_of_mac("00-00");
        snap.dialup_name_of_ip("1.1.1.1");
    }
    EXPECT_EQ(net.if_reads, 1);
    EXPECT_EQ(net.addr_reads, 1);
    EXPECT_EQ(net.adapter_reads, 1);
    EXPECT_EQ(net.dialup_reads, 1);
}

// The snapshot answers every lookup as the lookups over the whole tables do.
TEST(NetworkSnapshot, AnswersAsTheTableLookups) {
    test::FakeNetwork net;
    net.add_ethernet(1, "one", 0);
    net.addresses = {{0, 4},
                     {ipv4(10, 0, 0, 1), 7},
                     {ipv4(10, 0, 0, 9), 2},
                     {ipv4(10, 0, 0, 2), 7},
                     {ipv4(11, 0, 0, 1), 2}};
    auto adapter = [](std::string name, uint32_t length, uint8_t last) {
        IP_ADAPTER_INFO a;
        a.AdapterName = name;
        a.AddressLength = length;
        a.Address = {0, 0x0C, 0x29, 0xAB, 0xCD, last, 1, 2};
        return a;
    };
    net.adapters = {adapter(" eth1 ", 6, 0xEF), adapter("eth2", 6, 0xEF),  // same address
                    adapter("wwan0", 8, 0xEF),  adapter("none", 0, 0),
                    adapter("eth0", 6, 0x01),   adapter(std::string("tap\0x", 5), 6, 2)};
    NetworkSnapshot snap(net, net);
    for (uint32_t index : {1u, 2u, 3u, 4u, 7u, 9u})
        EXPECT_EQ(snap.ip_of_interface(index), ip_of_interface(net.addresses, index)) << index;
    for (const char* mac : {"00-0C-29-AB-CD-EF", " 00-0C-29-AB-CD-EF\n", "00-0C-29-AB-CD-EF-01-02",
                            "00-00-00-00-00-00", "00-0C-29-AB-CD-01", "00-0C-29-AB-CD-02",
                            "00-0C-29-AB-CD-EE", "", "00-0C-29"})
        EXPECT_EQ(snap.adapter_name_of_mac(mac), adapter_name_of_mac(net.adapters, mac)) << mac;
    EXPECT_EQ(snap.adapter_name_of_mac("00-0C-29-AB-CD-EF"), "eth1") << "the first in list order";
    EXPECT_EQ(snap.ip_of_interface(2), "10.0.0.9") << "the first row in table order";
    EXPECT_EQ(snap.adapter_name_of_mac("00-0C-29-AB-CD-02"), "tap") << "up to its zero character";
}

// The adapter index kept from tick to tick answers each tick from that tick's adapters:
// a changed address, name, order or a new adapter is seen at once.
TEST(NetworkSnapshot, AKeptAdapterIndexFollowsTheAdaptersOfEachTick) {
    auto adapter = [](std::string name, uint8_t last) {
        IP_ADAPTER_INFO a;
        a.AdapterName = name;
        a.AddressLength = 6;
        a.Address = {0, 0x0C, 0x29, 0xAB, 0xCD, last, 0, 0};
        return a;
    };
    const TIP_ADAPTER_INFO_ARR ticks[] = {
        {adapter("eth0", 1), adapter("eth1", 2)},
        {adapter("eth0", 1), adapter("eth1", 2)},                      // the same again
        {adapter("eth0", 1), adapter("eth1", 3)},                      // an address changed
        {adapter("lan", 1), adapter("eth1", 3)},                       // a name changed
        {adapter("eth1", 3), adapter("lan", 1)},                       // another order
        {adapter("eth1", 1), adapter("lan", 1)},                       // the same address twice
        {adapter("eth1", 1), adapter("lan", 1), adapter("wlan0", 9)},  // one more
        {},
    };
    test::FakeNetwork net;
    net.add_ethernet(1, "one", 0);
    AdapterIndex kept;
    for (size_t tick = 0; tick < std::size(ticks); ++tick) {
        net.adapters = ticks[tick];
        NetworkSnapshot snap(net, net, &kept);
        for (const char* mac :
             {"00-0C-29-AB-CD-01", "00-0C-29-AB-CD-02", "00-0C-29-AB-CD-03", "00-0C-29-AB-CD-09"}) {
            EXPECT_EQ(snap.adapter_name_of_mac(mac), adapter_name_of_mac(net.adapters, mac))
                << "tick " << tick << " " << mac;
        }
    }
}

TEST(FindDevice, FirstPositionOrMinusOne) {
    Tmibarray devices(3);
    devices[0].if_index = 4;
    devices[1].if_index = 9;
    devices[2].if_index = 9;
    EXPECT_EQ(find_device(devices, 9), 1);
    EXPECT_EQ(find_device(devices, 4), 0);
    EXPECT_EQ(find_device(devices, 5), -1);
    EXPECT_EQ(find_device(Tmibarray{}, 4), -1);
}

TEST(MakeUniqueid, IndexStampAndRandomNumber) {
    test::FakeClock clock;  // 5 January 2024 13:45:02
    test::FakeRandom random;
    random.value = 7;
    EXPECT_EQ(make_uniqueid(65539, clock, random), "65539-20240105134502-7");
    random.value = 999;
    clock.time = {2025, 12, 31, 23, 59, 59};
    EXPECT_EQ(make_uniqueid(4294967295u, clock, random), "4294967295-20251231235959-999");
}

}  // namespace
}  // namespace quorvane
