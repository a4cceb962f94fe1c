#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSysfs.h"
#include "platform/linux/LinkConnectionNames.h"

namespace quorvane {
namespace {

using test::FakeLink;
using test::FakeSysfs;
using test::TempDir;

class ConnectionNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        FakeLink home;
        home.name = "eth0";
        home.alias = "Home LAN";
        m_sysfs.add(home);
        FakeLink plain;
        plain.name = "eth1";
        plain.ifindex = 3;
        m_sysfs.add(plain);
        FakeLink no_alias_file;
        no_alias_file.name = "wlan0";
        no_alias_file.ifindex = 4;
        no_alias_file.alias.reset();
        m_sysfs.add(no_alias_file);
        FakeLink blank_alias;
        blank_alias.name = "eth2";
        blank_alias.ifindex = 5;
        blank_alias.alias = "  ";
        m_sysfs.add(blank_alias);
        // Folders next to the root that a crafted name could reach.
        m_dir.write("secret/ifalias", "outside\n");
        m_dir.write("net/bonding_masters", "\n");
    }

    TempDir m_dir;
    FakeSysfs m_sysfs{m_dir};
};

TEST_F(ConnectionNamesTest, AliasElseInterfaceNameElseEmpty) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"eth0", "Home LAN"}, {" eth0\t", "Home LAN"}, {"eth1", "eth1"}, {"wlan0", "wlan0"},
        {"eth2", "eth2"},     {"unknown", ""},         {"", ""},         {"  ", ""},
        {"ETH0", ""},         {"bonding_masters", ""},
    };
    auto links = m_sysfs.machine();
    LinkConnectionNames names(links);
    for (const auto& [adapter, expected] : cases) {
        SCOPED_TRACE("adapter '" + adapter + "'");
        EXPECT_EQ(names.connection_name(adapter), expected);
    }
}

TEST_F(ConnectionNamesTest, NamesCannotLeaveTheRoot) {
    auto links = m_sysfs.machine();
    LinkConnectionNames names(links);
    const std::vector<std::string> adapters = {
        "../secret", "..",           ".",
        "eth0/..",   "eth0/../eth1", "eth0/statistics",
        "/etc",      "..\\secret",   std::string("eth0\0x", 6)};
    for (const auto& adapter : adapters) {
        SCOPED_TRACE("adapter '" + adapter + "'");
        EXPECT_EQ(names.connection_name(adapter), "");
    }
}

TEST(ConnectionNamesNoLinksTest, GivesEmptyText) {
    TempDir dir;
    FakeSysfs sysfs(dir);
    auto links = sysfs.machine();
    LinkConnectionNames names(links);
    EXPECT_EQ(names.connection_name("eth0"), "");
}

}  // namespace
}  // namespace quorvane
