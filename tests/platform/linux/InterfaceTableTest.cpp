#include <gtest/gtest.h>
#include <linux/if_link.h>

#include <string>
#include <vector>

#include "FakeSysfs.h"
#include "platform/linux/IfRowMapping.h"
#include "platform/linux/NetlinkNetworkTables.h"

namespace quorvane {
namespace {

using test::FakeLink;
using test::FakeSysfs;
using test::TempDir;

constexpr uint32_t most = 4294967295u;

class InterfaceTableTest : public ::testing::Test {
protected:
    TMIBIfArray read() {
        auto links = m_sysfs.machine([] { return std::vector<InterfaceAddress>{}; });
        NetlinkNetworkTables tables(links);
        TMIBIfArray table;
        tables.read_if_table(table);
        return table;
    }

    TempDir m_dir;
    FakeSysfs m_sysfs{m_dir};
};

FakeLink link_of(uint32_t type, std::string operstate, std::string flags,
                 std::optional<std::string> speed, std::string folder = "") {
    FakeLink link;
    link.type = type;
    link.operstate = std::move(operstate);
    link.flags = std::move(flags);
    link.speed = std::move(speed);
    link.folder = std::move(folder);
    return link;
}

TEST_F(InterfaceTableTest, TypeStatusAndSpeedOfEachKindOfLink) {
    struct Case {
        const char* what;
        FakeLink link;
        uint32_t type;
        uint32_t status;
        uint32_t speed;
    };
    const std::vector<Case> cases = {
        {"ethernet", link_of(1, "up", "0x1003", "1000"), 6, 5, 1000000000u},
        {"wireless", link_of(1, "up", "0x1003", "54", "wireless"), 71, 5, 54000000u},
        {"phy80211", link_of(1, "dormant", "0x1003", std::nullopt, "phy80211"), 71, 3, 0},
        {"loopback", link_of(772, "unknown", "0x9", std::nullopt), 24, 5, 0},
        {"ppp up", link_of(512, "unknown", "0x1091", std::nullopt), 23, 5, 0},
        {"tun not up", link_of(65534, "unknown", "0x1090", "10"), 23, 0, 10000000u},
        {"slip", link_of(256, "up", "0x1", std::nullopt), 28, 5, 0},
        {"token ring", link_of(800, "up", "0x1", "16"), 9, 5, 16000000u},
        {"fddi", link_of(774, "up", "0x1", "100"), 15, 5, 100000000u},
        {"ipip tunnel", link_of(768, "unknown", "0x1", std::nullopt), 1, 5, 0},
        {"wireless bridge is ethernet", link_of(1, "up", "0x1", "-1", "bridge"), 6, 5, 0},
        {"down", link_of(1, "down", "0x1002", "1000"), 6, 2, 1000000000u},
        {"lowerlayerdown", link_of(1, "lowerlayerdown", "0x1003", "-1"), 6, 2, 0},
        {"notpresent", link_of(1, "notpresent", "0x1003", "0"), 6, 0, 0},
        {"testing", link_of(1, "testing", "0x1003", "100"), 6, 2, 100000000u},
        {"veth 10 Gbit capped", link_of(1, "up", "0x1003", "10000"), 6, 5, most},
        {"last speed below the cap", link_of(1, "up", "0x1003", "4294"), 6, 5, 4294000000u},
        {"first speed above the cap", link_of(1, "up", "0x1003", "4295"), 6, 5, most},
        {"huge speed", link_of(1, "up", "0x1003", "9223372036854775807"), 6, 5, most},
        {"speed garbage", link_of(1, "up", "0x1003", "fast"), 6, 5, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        FakeSysfs sysfs(dir);
        sysfs.add(c.link);
        auto links = sysfs.machine();
        NetlinkNetworkTables tables(links);
        TMIBIfArray table;
        tables.read_if_table(table);
        ASSERT_EQ(table.size(), 1u);
        EXPECT_EQ(table[0].dwType, c.type);
        EXPECT_EQ(table[0].dwOperStatus, c.status);
        EXPECT_EQ(table[0].dwSpeed, c.speed);
    }
}

TEST_F(InterfaceTableTest, UnreadableSpeedGivesZero) {
    // A virtual link's speed opens but fails on read; a folder fails the same way.
    FakeLink link;
    link.speed.reset();
    m_sysfs.add(link);
    std::filesystem::create_directories(m_sysfs.root() / "eth0" / "speed");
    auto table = read();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].dwSpeed, 0u);
}

TEST(HardwareAddressTest, ParsesHexPairs) {
    struct Case {
        std::string text;
        uint32_t count;
        std::array<uint8_t, 8> bytes;
    };
    const std::vector<Case> cases = {
        {"00:0c:29:ab:cd:ef", 6, {0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF}},
        {"00:50:56:C0:00:08", 6, {0x00, 0x50, 0x56, 0xC0, 0x00, 0x08}},
        {"00:00:00:00:00:00", 6, {}},
        {"", 0, {}},
        {"05", 1, {0x05}},
        // InfiniBand: 20 bytes, the first 8 kept.
        {"80:00:02:08:fe:80:00:00:00:00:00:00:00:02:c9:03:00:0a:bc:de",
         8,
         {0x80, 0x00, 0x02, 0x08, 0xFE, 0x80, 0x00, 0x00}},
        {"00:0c:29:ab:cd:e", 0, {}},
        {"00:0c:29:ab:cd:ef:", 0, {}},
        {"00-0c-29-ab-cd-ef", 0, {}},
        {"zz:0c", 0, {}},
        {"0:c", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::array<uint8_t, 8> bytes;
        bytes.fill(0x77);
        EXPECT_EQ(if_row_mapping::parse_hardware_address(c.text, bytes), c.count);
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST_F(InterfaceTableTest, RowCarriesAddressDescriptionAndIndex) {
    FakeLink eth;
    eth.ifindex = 7;
    m_sysfs.add(eth);
    FakeLink lo = link_of(772, "unknown", "0x9", std::nullopt);
    lo.name = "lo";
    lo.ifindex = 1;
    lo.address = "00:00:00:00:00:00";
    m_sysfs.add(lo);
    FakeLink ppp = link_of(512, "unknown", "0x1091", std::nullopt);
    ppp.name = "ppp0";
    ppp.ifindex = 9;
    ppp.address.reset();
    m_sysfs.add(ppp);

    auto table = read();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].dwIndex, 1u);
    EXPECT_EQ(table[0].dwPhysAddrLen, 6u);
    EXPECT_EQ(table[0].bPhysAddr, (std::array<uint8_t, 8>{}));
    EXPECT_STREQ(table[0].bDescr.data(), "lo");
    EXPECT_EQ(table[0].dwDescrLen, 3u);

    EXPECT_EQ(table[1].dwIndex, 7u);
    EXPECT_EQ(table[1].dwPhysAddrLen, 6u);
    EXPECT_EQ(table[1].bPhysAddr, (std::array<uint8_t, 8>{0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF}));
    EXPECT_STREQ(table[1].bDescr.data(), "eth0");
    EXPECT_EQ(table[1].dwDescrLen, 5u);

    EXPECT_EQ(table[2].dwIndex, 9u);
    EXPECT_EQ(table[2].dwPhysAddrLen, 0u);
}

TEST_F(InterfaceTableTest, RowsAscendByIndex) {
    for (auto [name, index] : {std::pair{"b", 10u}, {"a", 3u}, {"c", 1u}, {"d", 200u}}) {
        FakeLink link;
        link.name = name;
        link.ifindex = index;
        m_sysfs.add(link);
    }
    std::vector<uint32_t> order;
    for (const auto& row : read()) order.push_back(row.dwIndex);
    EXPECT_EQ(order, (std::vector<uint32_t>{1, 3, 10, 200}));
}

TEST_F(InterfaceTableTest, CountersAbove32BitsKeepLowBitsAndFullValue) {
    FakeLink link;
    link.rx_bytes = 5000000000ull;  // 2^32 + 705032704
    link.tx_bytes = 4294967297ull;  // 2^32 + 1
    m_sysfs.add(link);
    auto table = read();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].dwInOctets, 705032704u);
    EXPECT_EQ(table[0].dwOutOctets, 1u);
    EXPECT_TRUE(table[0].has_octets64);
    EXPECT_EQ(table[0].in_octets64, 5000000000ull);
    EXPECT_EQ(table[0].out_octets64, 4294967297ull);
}

TEST_F(InterfaceTableTest, InterfaceGoneHalfWayIsLeftOut) {
    // Each case: the link message of a second interface lacks what every link carries; the
    // first one stays.
    for (const unsigned short missing : {IFLA_IFNAME, IFLA_STATS64}) {
        SCOPED_TRACE(missing);
        TempDir dir;
        FakeSysfs sysfs(dir);
        sysfs.add(FakeLink{});
        FakeLink going;
        going.name = "eth1";
        going.ifindex = 3;
        going.omitted = {missing};
        sysfs.add(going);
        auto links = sysfs.machine();
        NetlinkNetworkTables tables(links);
        TMIBIfArray table;
        tables.read_if_table(table);
        ASSERT_EQ(table.size(), 1u);
        EXPECT_STREQ(table[0].bDescr.data(), "eth0");
    }
}

TEST_F(InterfaceTableTest, FolderGoneBeforeItsSpeedIsReadKeepsTheRow) {
    // The dump lists the interface; its folder went away before the speed was read.
    FakeLink link;
    m_sysfs.add(link);
    std::filesystem::remove_all(m_sysfs.root() / "eth0");
    auto table = read();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].dwSpeed, 0u);
    EXPECT_EQ(table[0].dwType, 6u);
}

TEST_F(InterfaceTableTest, EmptyFoldersLooseFilesAndDanglingLinksAreNoInterfaces) {
    m_sysfs.add(FakeLink{});
    std::filesystem::create_directories(m_sysfs.root() / "gone0");
    m_dir.write("net/bonding_masters", "\n");
    std::filesystem::create_directory_symlink(m_dir.path() / "devices" / "gone1",
                                              m_sysfs.root() / "gone1");
    auto table = read();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_STREQ(table[0].bDescr.data(), "eth0");
}

TEST_F(InterfaceTableTest, LinkedFoldersCountAsSysfsMakesThem) {
    FakeLink link;
    link.name = "eth5";
    m_sysfs.add(link);
    std::filesystem::rename(m_sysfs.root() / "eth5", m_dir.path() / "eth5-device");
    std::filesystem::create_directory_symlink(m_dir.path() / "eth5-device",
                                              m_sysfs.root() / "eth5");
    auto table = read();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_STREQ(table[0].bDescr.data(), "eth5");
    EXPECT_EQ(table[0].dwSpeed, 1000000000u);
}

TEST_F(InterfaceTableTest, EmptyOrMissingRootGivesEmptyTables) {
    for (bool make_root : {false, true}) {
        SCOPED_TRACE(make_root ? "empty root" : "missing root");
        TempDir dir;
        FakeSysfs sysfs(dir);
        if (make_root) std::filesystem::create_directories(sysfs.root());
        auto links = sysfs.machine([] {
            return std::vector<InterfaceAddress>{{"eth0", 0x0100000a}};
        });
        NetlinkNetworkTables tables(links);
        TMIBIfArray interfaces(2);
        tables.read_if_table(interfaces);
        EXPECT_TRUE(interfaces.empty());
        TMibIPAddrArray addresses(2);
        tables.read_ip_addr_table(addresses);
        EXPECT_TRUE(addresses.empty());
        TIP_ADAPTER_INFO_ARR adapters(2);
        tables.read_adapters_info(adapters);
        EXPECT_TRUE(adapters.empty());
    }
}

TEST_F(InterfaceTableTest, AdaptersAreNonLoopbackLinksWithHardwareAddress) {
    auto add = [this](const char* name, uint32_t index, uint32_t type,
                      std::optional<std::string> address) {
        FakeLink link;
        link.name = name;
        link.ifindex = index;
        link.type = type;
        link.address = std::move(address);
        m_sysfs.add(link);
    };
    add("lo", 1, 772, "00:00:00:00:00:00");
    add("eth0", 2, 1, "00:0c:29:ab:cd:ef");
    add("tun0", 3, 65534, "");
    add("zero0", 4, 1, "00:00:00:00:00:00");
    add("ppp0", 5, 512, std::nullopt);
    add("wlan0", 6, 1, "02:fc:00:00:00:01");

    auto links = m_sysfs.machine();
    NetlinkNetworkTables tables(links);
    TIP_ADAPTER_INFO_ARR adapters;
    tables.read_adapters_info(adapters);
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0].AdapterName, "eth0");
    EXPECT_EQ(adapters[0].AddressLength, 6u);
    EXPECT_EQ(adapters[0].Address, (std::array<uint8_t, 8>{0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF}));
    EXPECT_EQ(adapters[1].AdapterName, "wlan0");
    EXPECT_EQ(adapters[1].Address, (std::array<uint8_t, 8>{0x02, 0xFC, 0, 0, 0, 0x01}));
}

}  // namespace
}  // namespace quorvane
