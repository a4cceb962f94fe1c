// The links as the tick reads them: a statistics dump for the counters while the kernel
// says nothing changed, a whole link dump when it says something did.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include "ChildCheck.h"
#include "FakeSysfs.h"
#include "platform/linux/NetlinkLinkDump.h"
#include "platform/linux/NetlinkStatsMessages.h"

namespace quorvane {
namespace {

using test::ChildCheckResult;
using test::NamespaceCheck;
using test::run_child_check;

void append(std::vector<uint8_t>& bytes, const void* data, std::size_t size) {
    const auto* from = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), from, from + size);
    bytes.resize(NLMSG_ALIGN(bytes.size()), 0);
}

// One RTM_NEWSTATS message of a link; `payload` bytes of its 64-bit counters (none: no
// such attribute).
std::vector<uint8_t> stats_message(uint32_t ifindex, uint64_t rx, uint64_t tx,
                                   std::size_t payload = sizeof(rtnl_link_stats64)) {
    std::vector<uint8_t> message(NLMSG_LENGTH(sizeof(if_stats_msg)), 0);
    if_stats_msg info{};
    info.ifindex = ifindex;
    info.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
    std::memcpy(message.data() + NLMSG_HDRLEN, &info, sizeof info);
    message.resize(NLMSG_ALIGN(message.size()), 0);
    if (payload > 0) {
        rtnl_link_stats64 stats{};
        stats.rx_bytes = rx;
        stats.tx_bytes = tx;
        rtattr attr{};
        attr.rta_len = static_cast<unsigned short>(RTA_LENGTH(payload));
        attr.rta_type = IFLA_STATS_LINK_64;
        append(message, &attr, sizeof attr);
        message.resize(message.size() - NLMSG_ALIGN(sizeof attr) + sizeof attr);
        std::vector<uint8_t> bytes(payload, 0);
        std::memcpy(bytes.data(), &stats, std::min(payload, sizeof stats));
        append(message, bytes.data(), bytes.size());
    }
    nlmsghdr header{};
    header.nlmsg_len = static_cast<uint32_t>(message.size());
    header.nlmsg_type = RTM_NEWSTATS;
    header.nlmsg_flags = NLM_F_MULTI;
    std::memcpy(message.data(), &header, sizeof header);
    return message;
}

std::vector<uint8_t> end_message(uint16_t type) {
    std::vector<uint8_t> message(NLMSG_LENGTH(sizeof(int)), 0);
    nlmsghdr header{};
    header.nlmsg_len = static_cast<uint32_t>(message.size());
    header.nlmsg_type = type;
    std::memcpy(message.data(), &header, sizeof header);
    return message;
}

std::vector<uint8_t> joined(const std::vector<std::vector<uint8_t>>& messages) {
    std::vector<uint8_t> bytes;
    for (const auto& message : messages) append(bytes, message.data(), message.size());
    return bytes;
}

std::string text_of(const std::vector<LinkCounters>& counters) {
    std::string text;
    for (const auto& c : counters) {
        text += std::to_string(c.ifindex) + ":" + std::to_string(c.rx_bytes) + "/" +
                std::to_string(c.tx_bytes) + " ";
    }
    return text;
}

TEST(StatsMessagesTest, TheCountersOfEveryLinkThatHasThem) {
    struct Case {
        const char* what;
        std::vector<std::vector<uint8_t>> messages;
        DumpProgress progress;
        std::string counters;
    };
    const uint64_t big = 5'000'000'000ull;  // past 32 bits
    const Case cases[] = {
        {"two links and the end",
         {stats_message(1, 10, 20), stats_message(7, big, big + 1), end_message(NLMSG_DONE)},
         DumpProgress::done,
         "1:10/20 7:5000000000/5000000001 "},
        {"more to come", {stats_message(3, 1, 2)}, DumpProgress::more, "3:1/2 "},
        // An older kernel's shorter record still holds the byte counters.
        {"a shorter record",
         {stats_message(2, 5, 6, offsetof(rtnl_link_stats64, tx_bytes) + sizeof(uint64_t)),
          end_message(NLMSG_DONE)},
         DumpProgress::done,
         "2:5/6 "},
        {"no counters or too few bytes of them",
         {stats_message(2, 5, 6, 0), stats_message(3, 5, 6, 12), end_message(NLMSG_DONE)},
         DumpProgress::done,
         ""},
        {"a kernel without statistics dumps", {end_message(NLMSG_ERROR)}, DumpProgress::failed, ""},
    };
    for (const auto& c : cases) {
        const auto bytes = joined(c.messages);
        std::vector<LinkCounters> counters;
        EXPECT_EQ(parse_stats_messages(bytes.data(), bytes.size(), counters), c.progress) << c.what;
        EXPECT_EQ(text_of(counters), c.counters) << c.what;
    }
    const auto first = stats_message(1, 10, 20);
    const auto dump = joined({first, end_message(NLMSG_DONE)});
    for (const auto& [what, bytes] : test::broken_answers(dump, first.size() - 4)) {
        std::vector<LinkCounters> none;
        EXPECT_EQ(parse_stats_messages(bytes.data(), bytes.size(), none), DumpProgress::failed)
            << what;
    }
}

std::string text_of(const std::optional<std::vector<NetlinkLink>>& links) {
    if (!links) return "nothing";
    std::string text;
    for (const auto& l : *links) {
        text += std::to_string(l.ifindex) + " " + l.name + " flags " + std::to_string(l.flags) +
                " state " + std::to_string(l.operstate) + " alias '" + l.alias + "' mac";
        for (uint8_t byte : l.address) text += " " + std::to_string(byte);
        text += " rx " + std::to_string(l.rx_bytes) + " tx " + std::to_string(l.tx_bytes) + "\n";
    }
    return text;
}

// Sends a few datagrams to the loopback, which counts them both ways.
void send_over_loopback(NamespaceCheck& c, int count) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) c.skip("no UDP socket");
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(9);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const char payload[200] = {};
    for (int i = 0; i < count; ++i) {
        (void)!sendto(fd, payload, sizeof payload, 0, reinterpret_cast<const sockaddr*>(&to),
                      sizeof to);
    }
    close(fd);
}

[[noreturn]] void check_link_reading_in_namespace(int report) {
    NamespaceCheck c(report);
    if (unshare(CLONE_NEWNET) != 0) c.skip("cannot make a network namespace");
    c.run("ip link set lo up");
    c.run("ip link add qva type veth peer name qvb");
    c.run("ip link set qva up");
    c.run("ip link set qvb up");

    NetlinkLinkDump ticks;
    // What the tick reads must be what a whole dump made afresh reads at that moment. A
    // link's state follows a command a moment later, so the two are read again until they
    // agree, for two seconds at most.
    auto agrees = [&](const std::string& when) {
        std::string read, fresh;
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (attempt > 0) usleep(100 * 1000);
            read = text_of(ticks.read());
            NetlinkLinkDump whole;
            fresh = text_of(whole.read());
            if (read == fresh) break;
        }
        c.check(read == fresh, when + ":\nread\n" + read + "a whole dump reads\n" + fresh);
    };
    agrees("at first");
    // Quiet: the links need no whole dump, the counters still come fresh.
    const std::size_t dumps = ticks.link_dumps(), address_dumps = ticks.address_dumps();
    ticks.read_ipv4_addresses();
    const std::size_t addresses_then = ticks.address_dumps();
    for (int tick = 0; tick < 3; ++tick) {
        send_over_loopback(c, 5);
        agrees("after traffic, tick " + std::to_string(tick));
        ticks.read_ipv4_addresses();
    }
    c.check(ticks.link_dumps() == dumps,
            "quiet ticks made " + std::to_string(ticks.link_dumps() - dumps) + " whole link dumps");
    c.check(ticks.address_dumps() == addresses_then,
            "quiet ticks made " + std::to_string(ticks.address_dumps() - addresses_then) +
                " address dumps");
    (void)address_dumps;

    // Every kind of change is read at the next tick.
    const struct {
        const char* command;
        const char* what;
    } changes[] = {
        {"ip link set qvb down", "a peer down"},
        {"ip link set qvb up", "the peer up again"},
        {"ip link set qva alias 'Büro \"LAN\" [1] 50%'", "an alias"},
        {"ip link set qva address 02:00:00:00:00:0a", "a hardware address"},
        {"ip link set qvb name qvc", "a renamed link"},
        {"ip link add qvd type veth peer name qve", "new links"},
        {"ip link del qvd", "links gone"},
    };
    for (const auto& change : changes) {
        c.run(change.command);
        agrees(change.what);
    }

    // An address added or removed is read at the next tick, a quiet one reads none anew.
    auto addresses = [&] {
        std::string text;
        if (auto list = ticks.read_ipv4_addresses()) {
            for (const auto& a : *list) text += a.name + "=" + std::to_string(a.address) + " ";
        }
        return text;
    };
    const std::string before = addresses();
    c.run("ip addr add 10.7.0.1/24 dev qva label qva:x");
    const std::string added = addresses();
    c.check(added != before && added.find("qva:x=") != std::string::npos,
            "an added address: before '" + before + "', after '" + added + "'");
    c.run("ip addr del 10.7.0.1/24 dev qva");
    c.check(addresses() == before, "a removed address: '" + addresses() + "'");
    c.finish();
}

TEST(KernelLinkDumpTest, QuietTicksAskOnlyForCountersAndChangesAreReadAtTheNext) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make a network namespace";
    const ChildCheckResult result = run_child_check(check_link_reading_in_namespace);
    ASSERT_TRUE(result.exited) << "the namespace check ended abnormally";
    if (result.status == 77) GTEST_SKIP() << result.report;
    EXPECT_EQ(result.status, 0) << result.report;
}

}  // namespace
}  // namespace quorvane
