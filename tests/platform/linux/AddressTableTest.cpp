#include <gtest/gtest.h>
#include <linux/if.h>

#include <string>
#include <vector>

#include "FakeSysfs.h"
#include "platform/linux/AddressTableMerge.h"
#include "platform/linux/NetlinkNetworkTables.h"

namespace quorvane {

void PrintTo(const MIB_IPADDRROW& row, std::ostream* out) {
    *out << "{" << interface_addresses::dotted(row.dwAddr) << " #" << row.dwIndex << "}";
}

namespace {

using test::FakeLink;
using test::FakeSysfs;
using test::stored;
using test::TempDir;

LinuxLink interface_of(const char* name, uint32_t index, uint8_t operstate,
                       uint32_t flags = 0x1003) {
    LinuxLink item;
    item.name = name;
    item.ifindex = index;
    item.operstate = operstate;
    item.flags = flags;
    return item;
}

TEST(AddressTableMergeTest, OfflineInterfacesGetOneZeroRow) {
    const std::vector<LinuxLink> interfaces = {
        interface_of("lo", 1, IF_OPER_UNKNOWN, 0x9),
        interface_of("eth0", 2, IF_OPER_UP),
        interface_of("eth1", 3, IF_OPER_DOWN, 0x1002),     // link down, address still configured
        interface_of("tun0", 4, IF_OPER_UNKNOWN, 0x1091),  // no IPv4 address
        interface_of("eth2", 5, IF_OPER_UP),
        interface_of("eth3", 6, IF_OPER_LOWERLAYERDOWN),
        interface_of("wlan0", 7, IF_OPER_DORMANT),
    };
    const std::vector<InterfaceAddress> addresses = {
        {"lo", stored("127.0.0.1")},
        {"eth0", stored("192.168.0.1")},
        {"eth1", stored("10.0.0.5")},
        {"eth2", stored("172.16.0.9")},
        {"eth2:1", stored("172.16.0.2")},  // a labelled second address of eth2
        {"eth2", stored("192.168.0.2")},
        {"gone0", stored("10.9.9.9")},  // an interface that is no longer there
        {"eth3", stored("10.0.0.6")},
        {"wlan0", stored("10.0.0.7")},
    };
    // Stored values ascend by the last octet first (it lies in the highest byte).
    const TMibIPAddrArray expected = {
        {0, 3},
        {0, 4},
        {0, 6},
        {stored("127.0.0.1"), 1},
        {stored("192.168.0.1"), 2},
        {stored("172.16.0.2"), 5},
        {stored("192.168.0.2"), 5},
        {stored("10.0.0.7"), 7},
        {stored("172.16.0.9"), 5},
    };
    EXPECT_EQ(merge_address_table(interfaces, addresses), expected);
}

TEST(AddressTableMergeTest, RowsAscendAsUnsignedValues) {
    // 1.0.0.128 is stored as 0x80000001: it must not sort as a negative number.
    const std::vector<LinuxLink> interfaces = {interface_of("a", 1, IF_OPER_UP),
                                               interface_of("b", 2, IF_OPER_UP),
                                               interface_of("c", 3, IF_OPER_UP)};
    const std::vector<InterfaceAddress> addresses = {
        {"a", stored("1.0.0.128")}, {"b", stored("2.0.0.1")}, {"c", stored("3.0.0.127")}};
    const TMibIPAddrArray expected = {
        {stored("2.0.0.1"), 2}, {stored("3.0.0.127"), 3}, {stored("1.0.0.128"), 1}};
    EXPECT_EQ(merge_address_table(interfaces, addresses), expected);
}

TEST(AddressTableMergeTest, NoInterfacesNoRows) {
    EXPECT_TRUE(merge_address_table({}, {{"eth0", stored("10.0.0.1")}}).empty());
}

class AddressTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeLink lo;
        lo.name = "lo";
        lo.ifindex = 1;
        lo.type = 772;
        lo.operstate = "unknown";
        lo.flags = "0x9";
        m_sysfs.add(lo);
        FakeLink eth;
        eth.ifindex = 2;
        m_sysfs.add(eth);
        FakeLink ppp;
        ppp.name = "ppp0";
        ppp.ifindex = 3;
        ppp.type = 512;
        ppp.operstate = "unknown";
        ppp.flags = "0x1091";
        m_sysfs.add(ppp);
    }

    TempDir m_dir;
    FakeSysfs m_sysfs{m_dir};
};

TEST_F(AddressTableTest, ReadsAddressesAgainstTheInterfaceTable) {
    auto links = m_sysfs.machine([] {
        return std::vector<InterfaceAddress>{{"lo", stored("127.0.0.1")},
                                             {"ppp0", stored("10.64.64.64")}};
    });
    NetlinkNetworkTables tables(links);
    TMibIPAddrArray table;
    tables.read_ip_addr_table(table);
    const TMibIPAddrArray expected = {{0, 2}, {stored("127.0.0.1"), 1}, {stored("10.64.64.64"), 3}};
    EXPECT_EQ(table, expected);
}

TEST_F(AddressTableTest, UnreadableAddressesLeaveTheTableEmpty) {
    auto links = m_sysfs.machine([] { return std::optional<std::vector<InterfaceAddress>>(); });
    NetlinkNetworkTables tables(links);
    TMibIPAddrArray table(3);
    tables.read_ip_addr_table(table);
    EXPECT_TRUE(table.empty());
}

}  // namespace
}  // namespace quorvane
