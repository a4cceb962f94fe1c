#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <linux/if_addr.h>
#include <linux/if_tun.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ChildCheck.h"
#include "FakeSysfs.h"
#include "platform/linux/AddressTableMerge.h"
#include "platform/linux/NetlinkAddressMessages.h"
#include "platform/linux/NetlinkLinkDump.h"
#include "platform/linux/NetlinkNetworkTables.h"

namespace quorvane {
namespace {

using test::ChildCheckResult;
using test::NamespaceCheck;
using test::run_child_check;
using test::stored;
using test::TempDir;

// One RTM_NEWADDR message: the family, the interface index and the attributes present.
struct FakeAddress {
    uint8_t family = AF_INET;
    uint32_t ifindex = 2;
    std::optional<uint32_t> local;
    std::optional<uint32_t> address;
    std::optional<std::string> label;
};

void append(std::vector<uint8_t>& bytes, const void* data, std::size_t size) {
    const auto* from = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), from, from + size);
    bytes.resize(NLMSG_ALIGN(bytes.size()), 0);
}

std::vector<uint8_t> address_dump(const std::vector<FakeAddress>& addresses) {
    std::vector<uint8_t> dump;
    for (const auto& item : addresses) {
        std::vector<uint8_t> message(NLMSG_LENGTH(sizeof(ifaddrmsg)), 0);
        ifaddrmsg info{};
        info.ifa_family = item.family;
        info.ifa_prefixlen = 24;
        info.ifa_index = item.ifindex;
        std::memcpy(message.data() + NLMSG_HDRLEN, &info, sizeof info);
        auto attribute = [&](unsigned short type, const void* data, std::size_t size) {
            rtattr attr{};
            attr.rta_len = static_cast<unsigned short>(RTA_LENGTH(size));
            attr.rta_type = type;
            append(message, &attr, sizeof attr);
            message.resize(message.size() - RTA_ALIGN(sizeof attr) + sizeof attr);
            append(message, data, size);
        };
        if (item.address) attribute(IFA_ADDRESS, &*item.address, 4);
        if (item.local) attribute(IFA_LOCAL, &*item.local, 4);
        if (item.label) attribute(IFA_LABEL, item.label->c_str(), item.label->size() + 1);
        nlmsghdr header{};
        header.nlmsg_len = static_cast<uint32_t>(message.size());
        header.nlmsg_type = RTM_NEWADDR;
        header.nlmsg_flags = NLM_F_MULTI;
        std::memcpy(message.data(), &header, sizeof header);
        dump.insert(dump.end(), message.begin(), message.end());
    }
    std::vector<uint8_t> done(NLMSG_LENGTH(sizeof(int)), 0);
    nlmsghdr header{};
    header.nlmsg_len = static_cast<uint32_t>(done.size());
    header.nlmsg_type = NLMSG_DONE;
    std::memcpy(done.data(), &header, sizeof header);
    dump.insert(dump.end(), done.begin(), done.end());
    return dump;
}

std::string fake_name_of(uint32_t ifindex) {
    return ifindex == 7 ? "tun7" : "";
}

TEST(AddressMessagesTest, LocalAddressUnderItsLabelOrInterface) {
    const auto dump = address_dump({
        {AF_INET, 2, stored("10.0.0.1"), stored("10.0.0.1"), "eth0"},
        {AF_INET, 2, stored("10.0.1.1"), stored("10.0.1.1"), "eth0:1"},
        // A point-to-point link: IFA_ADDRESS is the peer, IFA_LOCAL the own address.
        {AF_INET, 3, stored("10.64.64.64"), stored("10.112.112.112"), "ppp0"},
        // Only IFA_ADDRESS, and no label: named by the interface.
        {AF_INET, 7, std::nullopt, stored("10.7.0.1"), std::nullopt},
        // Neither label nor interface name: left out.
        {AF_INET, 8, stored("10.8.0.1"), stored("10.8.0.1"), std::nullopt},
        // No address at all, and an IPv6 answer: left out.
        {AF_INET, 2, std::nullopt, std::nullopt, "eth0"},
        {AF_INET6, 2, stored("10.6.0.1"), std::nullopt, "eth0"},
    });
    const std::size_t first =
        NLMSG_ALIGN(reinterpret_cast<const nlmsghdr*>(dump.data())->nlmsg_len);
    std::vector<InterfaceAddress> addresses;
    EXPECT_EQ(parse_address_messages(dump.data(), first, addresses, fake_name_of),
              DumpProgress::more);
    EXPECT_EQ(
        parse_address_messages(dump.data() + first, dump.size() - first, addresses, fake_name_of),
        DumpProgress::done);
    ASSERT_EQ(addresses.size(), 4u);
    const std::vector<std::pair<std::string, uint32_t>> expected = {{"eth0", stored("10.0.0.1")},
                                                                    {"eth0:1", stored("10.0.1.1")},
                                                                    {"ppp0", stored("10.64.64.64")},
                                                                    {"tun7", stored("10.7.0.1")}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(addresses[i].name, expected[i].first) << i;
        EXPECT_EQ(addresses[i].address, expected[i].second) << i;
    }
}

TEST(AddressMessagesTest, BrokenAnswersFail) {
    const auto dump = address_dump({{AF_INET, 2, stored("10.0.0.1"), std::nullopt, "eth0"}});
    for (const auto& [what, bytes] :
         test::broken_answers(dump, dump.size() - NLMSG_LENGTH(sizeof(int)) - 2)) {
        SCOPED_TRACE(what);
        std::vector<InterfaceAddress> none;
        EXPECT_EQ(parse_address_messages(bytes.data(), bytes.size(), none, fake_name_of),
                  DumpProgress::failed);
    }
}

std::string text_of(const TMibIPAddrArray& table) {
    std::string text;
    for (const auto& row : table)
        text += interface_addresses::dotted(row.dwAddr) + "#" + std::to_string(row.dwIndex) + " ";
    return text;
}

// A PPP-type tun link named `name`, up, with its own address and its peer's; the tun file
// stays open for the life of the child.
void make_ppp_link(NamespaceCheck& c, const char* name, const char* local, const char* peer) {
    int tun = open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    if (tun < 0) c.skip("cannot open /dev/net/tun");
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    if (ioctl(tun, TUNSETIFF, &request) != 0) c.skip("TUNSETIFF");
    if (ioctl(tun, TUNSETLINK, static_cast<unsigned long>(ARPHRD_PPP)) != 0) c.skip("TUNSETLINK");
    c.run(std::string("ip addr add ") + local + " peer " + peer + " dev " + name);
    c.run(std::string("ip link set ") + name + " up");
}

[[noreturn]] void check_address_dump_in_namespace(const TempDir& dir, int report) {
    NamespaceCheck c(report);
    if (unshare(CLONE_NEWNET) != 0) c.skip("cannot make a network namespace");
    c.run("ip link set lo up");
    // Three addresses on one interface, one of them under a label of its own; its peer
    // is up without an IPv4 address.
    c.run("ip link add qva type veth peer name qvb");
    c.run("ip addr add 10.1.0.1/24 dev qva");
    c.run("ip addr add 10.1.0.2/24 dev qva");
    c.run("ip addr add 10.2.0.1/24 dev qva label qva:x");
    c.run("ip link set qva up");
    c.run("ip link set qvb up");
    make_ppp_link(c, "ppp8x", "10.99.0.1", "10.99.0.2");

    const auto root = dir.path() / "no-sysfs";
    auto kernel = kernel_sources();
    LinuxLinks links(kernel.links, root, kernel.addresses);
    NetlinkNetworkTables tables(links);
    // The same machine as getifaddrs() shows it.
    LinuxLinks reference_links(kernel_links(), root, interface_addresses::read_ipv4);
    NetlinkNetworkTables reference(reference_links);

    const uint32_t lo = if_nametoindex("lo"), qva = if_nametoindex("qva"),
                   qvb = if_nametoindex("qvb"), ppp = if_nametoindex("ppp8x");
    // A link's state follows an `ip link` command a moment later (the kernel passes a
    // carrier change on in the background), so the tables are read until they show it, for
    // two seconds at most.
    auto compare = [&](const TMibIPAddrArray& expected, const std::string& when) {
        TMibIPAddrArray table, from_getifaddrs;
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (attempt > 0) usleep(100 * 1000);
            TMIBIfArray interfaces;
            tables.read_if_table(interfaces);
            reference.read_if_table(interfaces);
            table.clear();
            from_getifaddrs.clear();
            tables.read_ip_addr_table(table);
            reference.read_ip_addr_table(from_getifaddrs);
            if (table == expected && table == from_getifaddrs) break;
        }
        c.check(table == expected,
                when + ": got " + text_of(table) + "wanted " + text_of(expected));
        c.check(table == from_getifaddrs,
                when + ": got " + text_of(table) + "getifaddrs gives " + text_of(from_getifaddrs));
    };

    // Stored addresses ascend by their last octet first; rows of address 0 by index.
    auto offline = [](uint32_t a, uint32_t b) {
        return TMibIPAddrArray{{0, std::min(a, b)}, {0, std::max(a, b)}};
    };
    auto with = [](TMibIPAddrArray rows, const TMibIPAddrArray& more) {
        rows.insert(rows.end(), more.begin(), more.end());
        return rows;
    };
    compare({{0, qvb},
             {stored("127.0.0.1"), lo},
             {stored("10.1.0.1"), qva},
             {stored("10.2.0.1"), qva},
             {stored("10.99.0.1"), ppp},
             {stored("10.1.0.2"), qva}},
            "all up");

    // The peer goes down, which takes qva's link down with it: its addresses stay
    // configured but no longer count.
    c.run("ip link set qvb down");
    compare(with(offline(qva, qvb), {{stored("127.0.0.1"), lo}, {stored("10.99.0.1"), ppp}}),
            "peer down");

    // Back up, one address fewer (a secondary one: deleting a primary address takes its
    // secondaries with it); the PPP link taken down.
    c.run("ip link set qvb up");
    c.run("ip addr del 10.1.0.2/24 dev qva");
    c.run("ip link set ppp8x down");
    compare(with(offline(qvb, ppp),
                 {{stored("127.0.0.1"), lo}, {stored("10.1.0.1"), qva}, {stored("10.2.0.1"), qva}}),
            "ppp down");
    c.finish();
}

TEST(KernelAddressDumpTest, AddressTableInOwnNamespace) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make a network namespace";
    if (access("/dev/net/tun", R_OK | W_OK) != 0) GTEST_SKIP() << "no /dev/net/tun";
    TempDir dir;
    const ChildCheckResult result =
        run_child_check([&](int report) { check_address_dump_in_namespace(dir, report); });
    ASSERT_TRUE(result.exited) << "the namespace check ended abnormally";
    if (result.status == 77) GTEST_SKIP() << result.report;
    EXPECT_EQ(result.status, 0) << result.report;
}

}  // namespace
}  // namespace quorvane
