// One reading of the links per tick: the tables, names and dial-up lookups of a tick answer
// from it, and sysfs is read only for interfaces that are new or changed.
#include <gtest/gtest.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "FakeSysfs.h"
#include "platform/linux/AddressTableMerge.h"
#include "platform/linux/LinkConnectionNames.h"
#include "platform/linux/NetlinkLinkMessages.h"
#include "platform/linux/NetlinkNetworkTables.h"
#include "platform/linux/PppDialupDirectory.h"

namespace quorvane {
namespace {

using test::FakeLink;
using test::FakeSysfs;
using test::stored;
using test::TempDir;

FakeLink named(const std::string& name, uint32_t index) {
    FakeLink link;
    link.name = name;
    link.ifindex = index;
    return link;
}

class LinkReadingTest : public ::testing::Test {
protected:
    // The fake kernel's links, counting the dumps and the address reads.
    LinuxLinks counted_machine() {
        auto source = m_sysfs.links();
        return LinuxLinks([this, source] { return ++m_dumps, source(); }, m_sysfs.root(),
                          [this] {
                              ++m_address_reads;
                              return std::vector<InterfaceAddress>{{"eth0", stored("10.0.0.1")}};
                          });
    }

    TempDir m_dir;
    FakeSysfs m_sysfs{m_dir};
    int m_dumps = 0;
    int m_address_reads = 0;
};

TEST_F(LinkReadingTest, ALookupOfTheTickAsksTheKernelNoMoreThanItsInterfaceTable) {
    FakeLink eth = named("eth0", 2);
    eth.alias = "Home LAN";
    m_sysfs.add(eth);
    m_sysfs.add(named("eth1", 3));
    auto links = counted_machine();
    NetlinkNetworkTables tables(links);
    LinkConnectionNames names(links);
    PppDialupDirectory dialup(links, m_dir.path() / "run", m_dir.path() / "peers");

    for (int tick = 1; tick <= 3; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        TMIBIfArray interfaces;
        tables.read_if_table(interfaces);
        for (int lookup = 0; lookup < 4; ++lookup) {
            TMibIPAddrArray addresses;
            tables.read_ip_addr_table(addresses);
            EXPECT_EQ(addresses, (TMibIPAddrArray{{0, 3}, {stored("10.0.0.1"), 2}}));
            TIP_ADAPTER_INFO_ARR adapters;
            tables.read_adapters_info(adapters);
            EXPECT_EQ(adapters.size(), 2u);
            EXPECT_EQ(names.connection_name("eth0"), "Home LAN");
            EXPECT_EQ(names.connection_name("eth1"), "eth1");
            TDialupEntriesArray connections;
            dialup.read_dialup_connections(connections);
            EXPECT_TRUE(connections.empty());
        }
        EXPECT_EQ(m_dumps, tick);
        EXPECT_EQ(m_address_reads, tick);
    }
}

TEST_F(LinkReadingTest, LookupsSeeTheStateOfTheLastInterfaceTable) {
    m_sysfs.add(named("eth0", 2));
    auto links = counted_machine();
    NetlinkNetworkTables tables(links);
    LinkConnectionNames names(links);
    TMIBIfArray interfaces;
    tables.read_if_table(interfaces);
    m_sysfs.add(named("eth7", 9));
    EXPECT_EQ(names.connection_name("eth7"), "");  // not in this tick's table yet
    tables.read_if_table(interfaces);
    EXPECT_EQ(interfaces.size(), 2u);
    EXPECT_EQ(names.connection_name("eth7"), "eth7");
}

TEST_F(LinkReadingTest, LookupsBeforeAnyInterfaceTableReadTheMachine) {
    m_sysfs.add(named("eth0", 2));
    auto links = counted_machine();
    LinkConnectionNames names(links);
    EXPECT_EQ(names.connection_name("eth0"), "eth0");
    EXPECT_EQ(m_dumps, 1);
}

TEST_F(LinkReadingTest, SysfsIsReadWhenAnInterfaceAppearsRenamesOrChangesState) {
    FakeLink eth = named("eth0", 2);
    m_sysfs.add(eth);
    auto links = m_sysfs.machine();
    NetlinkNetworkTables tables(links);
    auto speed_now = [&] {
        TMIBIfArray table;
        tables.read_if_table(table);
        return table.empty() ? uint32_t{99} : table.at(0).dwSpeed;
    };
    EXPECT_EQ(speed_now(), 1000000000u);
    EXPECT_EQ(links.attributes().folder_reads(), 1u);

    // Counters move, the state stays: sysfs is not read again, the kept speed holds.
    m_dir.write("net/eth0/speed", "100\n");
    m_sysfs.remove_link("eth0");
    eth.rx_bytes = 5000;
    m_sysfs.add(eth);
    m_dir.write("net/eth0/speed", "100\n");
    EXPECT_EQ(speed_now(), 1000000000u);
    EXPECT_EQ(links.attributes().folder_reads(), 1u);

    struct Step {
        const char* what;
        FakeLink link;
        uint32_t speed;
    };
    FakeLink down = eth;
    down.operstate = "down";
    down.speed = "10";
    FakeLink renamed = down;
    renamed.name = "lan0";
    renamed.speed = "2500";
    FakeLink other = renamed;
    other.ifindex = 5;
    other.speed = "40";
    const std::vector<Step> steps = {
        {"state changes", down, 10000000u},
        {"renamed", renamed, 2500000000u},
        {"same name, new index", other, 40000000u},
    };
    std::size_t reads = 1;
    std::string previous = "eth0";
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        m_sysfs.remove_link(previous);
        m_sysfs.add(step.link);
        previous = step.link.name;
        EXPECT_EQ(speed_now(), step.speed);
        EXPECT_EQ(links.attributes().folder_reads(), ++reads);
        EXPECT_EQ(speed_now(), step.speed);
        EXPECT_EQ(links.attributes().folder_reads(), reads);
    }
}

TEST_F(LinkReadingTest, AnInterfaceThatComesBackIsReadAgain) {
    FakeLink wlan = named("wlan0", 4);
    m_sysfs.add(wlan);
    auto links = m_sysfs.machine();
    NetlinkNetworkTables tables(links);
    TMIBIfArray table;
    tables.read_if_table(table);
    EXPECT_EQ(table.at(0).dwType, 6u);
    m_sysfs.remove_link("wlan0");
    tables.read_if_table(table);
    EXPECT_TRUE(table.empty());
    wlan.folder = "phy80211";
    m_sysfs.add(wlan);
    tables.read_if_table(table);
    EXPECT_EQ(table.at(0).dwType, 71u);
}

// A dump answer cut into pieces, as the kernel may deliver it over several receives.
// The address table is merged again only when the links or the addresses changed, yet it
// always equals the table merged afresh from the tick's reading: new counters alone keep it,
// a link going down, an address added or moved, a link renamed or gone change it.
TEST_F(LinkReadingTest, TheAddressTableFollowsEveryChangeOfLinksAndAddresses) {
    FakeLink eth0 = named("eth0", 2), eth1 = named("eth1", 3);
    m_sysfs.add(eth0);
    m_sysfs.add(eth1);
    std::vector<InterfaceAddress> addresses{{"eth0", stored("10.0.0.1")},
                                            {"eth1", stored("10.0.1.1")}};
    LinuxLinks links(m_sysfs.links(), m_sysfs.root(), [&] { return addresses; });
    auto replace = [&](const std::string& name, const FakeLink& link) {
        m_sysfs.remove_link(name);
        m_sysfs.add(link);
    };
    NetlinkNetworkTables tables(links);
    struct Step {
        const char* what;
        std::function<void()> change;
        bool same_generation;
    };
    const Step steps[] = {
        {"at first", [] {}, false},
        {"new counters",
         [&] {
             eth0.rx_bytes += 1000;
             eth1.tx_bytes += 5;
             replace("eth0", eth0);
             replace("eth1", eth1);
         },
         true},
        {"eth1 down",
         [&] {
             eth1.operstate = "down";
             replace("eth1", eth1);
         },
         false},
        {"an address added",
         [&] {
             addresses.push_back({"eth0:1", stored("10.0.0.2")});
         },
         false},
        {"an address moved", [&] { addresses[0].name = "eth1"; }, false},
        {"eth1 up, renamed",
         [&] {
             eth1.operstate = "up";
             eth1.name = "lan1";
             replace("eth1", eth1);
         },
         false},
        {"eth0 gone", [&] { m_sysfs.remove_link("eth0"); }, false},
    };
    std::size_t generation = 0;
    for (const auto& step : steps) {
        step.change();
        TMIBIfArray interfaces;
        tables.read_if_table(interfaces);
        TMibIPAddrArray table;
        tables.read_ip_addr_table(table);
        const auto& reading = links.last();
        EXPECT_EQ(table, merge_address_table(reading.links, *reading.addresses)) << step.what;
        if (step.same_generation) {
            EXPECT_EQ(links.generation(), generation) << step.what;
        } else {
            EXPECT_NE(links.generation(), generation) << step.what;
        }
        generation = links.generation();
    }
}

TEST(LinkMessagesTest, DumpAnswersAreReadWholeOrNotAtAll) {
    const auto dump = test::link_dump({named("lo", 1), named("eth0", 2)});
    const std::size_t first =
        NLMSG_ALIGN(reinterpret_cast<const nlmsghdr*>(dump.data())->nlmsg_len);

    std::vector<NetlinkLink> links;
    EXPECT_EQ(parse_link_messages(dump.data(), first, links), DumpProgress::more);
    EXPECT_EQ(parse_link_messages(dump.data() + first, dump.size() - first, links),
              DumpProgress::done);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].name, "lo");
    EXPECT_EQ(links[1].name, "eth0");
    EXPECT_EQ(links[1].address, (std::vector<uint8_t>{0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}));

    for (const auto& [what, bytes] : test::broken_answers(dump, first - 3)) {
        SCOPED_TRACE(what);
        std::vector<NetlinkLink> none;
        EXPECT_EQ(parse_link_messages(bytes.data(), bytes.size(), none), DumpProgress::failed);
    }
}

}  // namespace
}  // namespace quorvane
