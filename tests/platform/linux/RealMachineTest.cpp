#include <gtest/gtest.h>

#include "ChildCheck.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/linux/LinkConnectionNames.h"
#include "platform/linux/NetlinkLinkDump.h"
#include "platform/linux/NetlinkNetworkTables.h"
#include "platform/linux/PppDialupDirectory.h"
#include "support/TempDir.h"

namespace quorvane {
namespace {

using test::ChildCheckResult;
using test::run_child_check;
using test::TempDir;

uint32_t stored(const char* dotted) {
    in_addr in{};
    inet_pton(AF_INET, dotted, &in);
    return in.s_addr;
}

TEST(RealMachineTest, FindsTheLoopbackAndItsAddress) {
    LinuxLinks links;
    NetlinkNetworkTables tables(links);
    TMIBIfArray interfaces;
    tables.read_if_table(interfaces);
    const MIB_IFROW* loopback = nullptr;
    for (const auto& row : interfaces)
        if (row.dwType == 24) loopback = &row;
    if (loopback == nullptr) GTEST_SKIP() << "this machine shows no loopback interface";
    EXPECT_STREQ(loopback->bDescr.data(), "lo");
    if (loopback->dwOperStatus != 5) GTEST_SKIP() << "the loopback interface is not up";

    TMibIPAddrArray addresses;
    tables.read_ip_addr_table(addresses);
    bool found = false;
    for (const auto& row : addresses)
        found = found || (row.dwIndex == loopback->dwIndex && row.dwAddr == stored("127.0.0.1"));
    EXPECT_TRUE(found) << "no row 127.0.0.1 for interface " << loopback->dwIndex;
}

// Runs in a child process of its own network and mount namespaces: makes a tun device of
// PPP type, up with an address, sees it through a fresh sysfs mount, and checks what the
// tables and the dial-up directory make of it. Exit code 0 passes, 77 cannot run here.
[[noreturn]] void check_ppp_link_in_namespace(const TempDir& dir, int report) {
    auto skip = [&](const std::string& why) {
        std::string text = why + ": " + std::strerror(errno);
        (void)!write(report, text.data(), text.size());
        _exit(77);
    };
    std::string failures;
    auto check = [&](bool ok, const std::string& what) {
        if (!ok) failures += what + "\n";
    };

    if (unshare(CLONE_NEWNET | CLONE_NEWNS) != 0) skip("cannot make namespaces");
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) skip("mount private");
    const std::string sys = dir.str() + "/sys";
    mkdir(sys.c_str(), 0755);
    if (mount("sysfs", sys.c_str(), "sysfs", 0, nullptr) != 0) skip("cannot mount sysfs");

    int tun = open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    if (tun < 0) skip("cannot open /dev/net/tun");
    ifreq request{};
    std::strncpy(request.ifr_name, "ppp9x", IFNAMSIZ - 1);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    if (ioctl(tun, TUNSETIFF, &request) != 0) skip("TUNSETIFF");
    if (ioctl(tun, TUNSETLINK, static_cast<unsigned long>(ARPHRD_PPP)) != 0) skip("TUNSETLINK");

    int sock = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq address{};
    std::strncpy(address.ifr_name, "ppp9x", IFNAMSIZ - 1);
    auto* in = reinterpret_cast<sockaddr_in*>(&address.ifr_addr);
    in->sin_family = AF_INET;
    in->sin_addr.s_addr = stored("10.99.0.1");
    if (ioctl(sock, SIOCSIFADDR, &address) != 0) skip("SIOCSIFADDR");
    in->sin_addr.s_addr = stored("10.99.0.2");
    if (ioctl(sock, SIOCSIFDSTADDR, &address) != 0) skip("SIOCSIFDSTADDR");
    ifreq flags{};
    std::strncpy(flags.ifr_name, "ppp9x", IFNAMSIZ - 1);
    if (ioctl(sock, SIOCGIFFLAGS, &flags) != 0) skip("SIOCGIFFLAGS");
    flags.ifr_flags |= IFF_UP;
    if (ioctl(sock, SIOCSIFFLAGS, &flags) != 0) skip("SIOCSIFFLAGS");
    const unsigned index = if_nametoindex("ppp9x");
    dir.write("run/ppp-mylink.pid", std::to_string(getpid()) + "\nppp9x\n");

    const std::string root = sys + "/class/net";
    LinuxLinks links(kernel_links(), root, interface_addresses::read_ipv4);
    NetlinkNetworkTables tables(links);
    TMIBIfArray interfaces;
    tables.read_if_table(interfaces);
    check(interfaces.size() == 2, "two interfaces (lo, ppp9x)");
    for (const auto& row : interfaces) {
        const std::string name = row.bDescr.data();
        if (name == "lo") {
            check(row.dwType == 24 && row.dwOperStatus == 2, "lo: loopback, down");
        } else {
            check(name == "ppp9x" && row.dwIndex == index, "ppp9x with its index");
            check(row.dwType == 23, "ppp9x type 23, got " + std::to_string(row.dwType));
            check(row.dwOperStatus == 5, "ppp9x status 5");
            check(row.dwPhysAddrLen == 0, "ppp9x has no hardware address");
        }
    }
    TMibIPAddrArray addresses;
    tables.read_ip_addr_table(addresses);
    check(addresses.size() == 2, "two address rows, got " + std::to_string(addresses.size()));
    check(addresses.size() == 2 && addresses[0].dwAddr == 0 &&
              addresses[1].dwAddr == stored("10.99.0.1") && addresses[1].dwIndex == index,
          "lo offline, ppp9x 10.99.0.1");
    TIP_ADAPTER_INFO_ARR adapters;
    tables.read_adapters_info(adapters);
    check(adapters.empty(), "no adapters");

    PppDialupDirectory pppd(links, dir.path() / "run", dir.path() / "peers");
    TDialupEntriesArray connections;
    pppd.read_dialup_connections(connections);
    check(connections.size() == 1 && connections[0].entry_name == "mylink" &&
              connections[0].ip_address == "10.99.0.1",
          "one connection mylink 10.99.0.1");

    // The alias and the counters of the kernel's dump are those sysfs shows.
    {
        const std::string alias_file = root + "/ppp9x/ifalias";
        int fd = open(alias_file.c_str(), O_WRONLY | O_CLOEXEC);
        check(fd >= 0 && write(fd, "Dial Link\n", 10) == 10, "alias written through sysfs");
        if (fd >= 0) close(fd);
        tables.read_if_table(interfaces);
        LinkConnectionNames names(links);
        check(names.connection_name("ppp9x") == "Dial Link", "connection name from the alias");
        for (const auto& row : interfaces) {
            const std::string stats = root + "/" + row.bDescr.data() + "/statistics/";
            std::string rx, tx;
            char text[32] = {};
            for (auto [file, into] : {std::pair{"rx_bytes", &rx}, {"tx_bytes", &tx}}) {
                int stat_fd = open((stats + file).c_str(), O_RDONLY | O_CLOEXEC);
                ssize_t got = stat_fd < 0 ? -1 : read(stat_fd, text, sizeof text - 1);
                if (stat_fd >= 0) close(stat_fd);
                *into = got > 0 ? std::string(text, static_cast<std::size_t>(got) - 1) : "?";
            }
            check(std::to_string(row.in_octets64) == rx && std::to_string(row.out_octets64) == tx,
                  std::string(row.bDescr.data()) + ": counters as sysfs shows them");
        }
    }

    (void)!write(report, failures.data(), failures.size());
    _exit(failures.empty() ? 0 : 1);
}

TEST(RealMachineTest, PppLinkInOwnNamespace) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make a network namespace";
    if (access("/dev/net/tun", R_OK | W_OK) != 0) GTEST_SKIP() << "no /dev/net/tun";
    TempDir dir;
    const ChildCheckResult result =
        run_child_check([&](int report) { check_ppp_link_in_namespace(dir, report); });
    ASSERT_TRUE(result.exited) << "the namespace check ended abnormally";
    if (result.status == 77) GTEST_SKIP() << result.report;
    EXPECT_EQ(result.status, 0) << result.report;
}

}  // namespace
}  // namespace quorvane
