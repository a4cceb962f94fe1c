#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSysfs.h"
#include "platform/linux/PppDialupDirectory.h"

namespace quorvane {

void PrintTo(const Tdialupentries& entry, std::ostream* out) {
    *out << "{'" << entry.entry_name << "', '" << entry.ip_address << "'}";
}

namespace {

using test::FakeLink;
using test::FakeSysfs;
using test::stored;
using test::TempDir;

FakeLink point_to_point(const std::string& name, uint32_t index, uint32_t type = 512,
                        const std::string& operstate = "unknown",
                        const std::string& flags = "0x1091") {
    FakeLink link;
    link.name = name;
    link.ifindex = index;
    link.type = type;
    link.operstate = operstate;
    link.flags = flags;
    link.address = "";
    link.speed.reset();
    return link;
}

class DialupDirectoryTest : public ::testing::Test {
protected:
    PppDialupDirectory directory(AddressSource addresses) {
        m_links.emplace(m_sysfs.machine(std::move(addresses)));
        return PppDialupDirectory(*m_links, m_dir.path() / "run", m_dir.path() / "peers");
    }

    TempDir m_dir;
    FakeSysfs m_sysfs{m_dir};
    std::optional<LinuxLinks> m_links;
};

TEST_F(DialupDirectoryTest, ConnectionsAreUpPointToPointLinksNamedByPppd) {
    m_sysfs.add(point_to_point("ppp0", 5));
    FakeLink work = point_to_point("ppp1", 6);
    work.alias = "Work";
    m_sysfs.add(work);
    m_sysfs.add(point_to_point("wg0", 7, 65534));
    m_sysfs.add(point_to_point("ppp2", 8, 512, "down", "0x1090"));       // not up
    m_sysfs.add(point_to_point("tun1", 9, 65534, "unknown", "0x1090"));  // not up
    m_sysfs.add(point_to_point("ppp3", 4, 512, "up", "0x1091"));
    m_sysfs.add(FakeLink{});  // eth0: no dial-up link
    // pppd's pid files: the link file (pid, then interface) and the interface's own file.
    m_dir.write("run/ppp-myisp.pid", "1234\nppp0\n");
    m_dir.write("run/ppp0.pid", "1234\n");
    m_dir.write("run/ppp-other.pid", "99\nppp7\n");
    m_dir.write("run/ppp-half.pid", "77\n");
    m_dir.write("run/ppp-.pid", "12\nppp3\n");
    m_dir.write("run/ppp-mobile.pid", "55\nppp3");

    auto pppd = directory([] {
        return std::vector<InterfaceAddress>{{"eth0", stored("192.168.0.5")},
                                             {"ppp0", stored("10.0.0.9")},
                                             {"ppp0", stored("10.0.0.2")},
                                             {"ppp1:1", stored("10.1.0.1")},
                                             {"ppp2", stored("10.2.0.1")}};
    });
    TDialupEntriesArray connections = {{"stale", "1.2.3.4"}};
    pppd.read_dialup_connections(connections);
    const TDialupEntriesArray expected = {
        {"mobile", ""}, {"myisp", "10.0.0.2"}, {"Work", "10.1.0.1"}, {"wg0", ""}};
    EXPECT_EQ(connections, expected);
}

TEST_F(DialupDirectoryTest, UnreadableAddressesKeepTheConnections) {
    m_sysfs.add(point_to_point("ppp0", 5));
    auto pppd = directory([] { return std::optional<std::vector<InterfaceAddress>>(); });
    TDialupEntriesArray connections;
    pppd.read_dialup_connections(connections);
    EXPECT_EQ(connections, (TDialupEntriesArray{{"ppp0", ""}}));
}

TEST_F(DialupDirectoryTest, MissingFoldersGiveNameFromInterface) {
    m_sysfs.add(point_to_point("ppp0", 5));
    auto links = m_sysfs.machine([] { return std::vector<InterfaceAddress>{}; });
    PppDialupDirectory pppd(links, m_dir.path() / "no-run", m_dir.path() / "no-peers");
    TDialupEntriesArray connections;
    pppd.read_dialup_connections(connections);
    EXPECT_EQ(connections, (TDialupEntriesArray{{"ppp0", ""}}));
    TDialupEntriesArray entries;
    pppd.read_dialup_entries(entries);
    EXPECT_TRUE(entries.empty());
}

TEST_F(DialupDirectoryTest, MoreThanOneHundredConnectionsGiveNone) {
    for (uint32_t i = 0; i < 101; ++i)
        m_sysfs.add(point_to_point("ppp" + std::to_string(i), i + 2));
    auto pppd = directory([] { return std::vector<InterfaceAddress>{}; });
    TDialupEntriesArray connections;
    pppd.read_dialup_connections(connections);
    EXPECT_TRUE(connections.empty());

    m_sysfs.remove_link("ppp100");
    m_links->read();  // the next tick's reading
    pppd.read_dialup_connections(connections);
    EXPECT_EQ(connections.size(), 100u);
}

TEST_F(DialupDirectoryTest, PhoneBookIsTheFilesOfThePeersFolder) {
    m_dir.write("peers/work", "/dev/ttyUSB0\n");
    m_dir.write("peers/provider", "user me\n");
    m_dir.write("peers/chat/script", "ABORT BUSY\n");
    auto pppd = directory({});
    TDialupEntriesArray entries;
    pppd.read_dialup_entries(entries);
    EXPECT_EQ(entries, (TDialupEntriesArray{{"provider", ""}, {"work", ""}}));
}

TEST_F(DialupDirectoryTest, PhoneBookOfMoreThanOneHundredEntriesIsEmpty) {
    for (int i = 0; i < 101; ++i) m_dir.write("peers/isp" + std::to_string(i), "\n");
    auto pppd = directory({});
    TDialupEntriesArray entries;
    pppd.read_dialup_entries(entries);
    EXPECT_TRUE(entries.empty());

    std::filesystem::remove(m_dir.path() / "peers" / "isp0");
    pppd.read_dialup_entries(entries);
    EXPECT_EQ(entries.size(), 100u);
}

}  // namespace
}  // namespace quorvane
