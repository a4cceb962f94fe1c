// The floor of a tick: the least it takes to read the facts a tick needs from the kernel,
// one rtnetlink link dump (with the 64-bit counters) and one getifaddrs(), with nothing
// made of them. Shared by the benchmark that repeats it in a loop and by the process that
// does it once a second.
#pragma once

#include <ifaddrs.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvane::bench {

// Sends the dump request and sums the receive counters of its answer; false on a failure.
inline bool dump_links(int fd, unsigned sequence, std::vector<char>& buffer, uint64_t& sum) {
    struct {
        nlmsghdr header;
        ifinfomsg info;
    } request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = sequence;
    request.info.ifi_family = AF_UNSPEC;
    if (send(fd, &request, request.header.nlmsg_len, 0) < 0) return false;
    for (;;) {
        ssize_t got = recv(fd, buffer.data(), buffer.size(), 0);
        if (got <= 0) return false;
        int length = static_cast<int>(got);
        for (auto* h = reinterpret_cast<const nlmsghdr*>(buffer.data()); NLMSG_OK(h, length);
             h = NLMSG_NEXT(h, length)) {
            if (h->nlmsg_type == NLMSG_DONE) return true;
            if (h->nlmsg_type == NLMSG_ERROR) return false;
            const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(h));
            int left = static_cast<int>(h->nlmsg_len - NLMSG_LENGTH(sizeof *info));
            for (auto* a = IFLA_RTA(info); RTA_OK(a, left); a = RTA_NEXT(a, left)) {
                if (a->rta_type != IFLA_STATS64) continue;
                rtnl_link_stats64 stats{};
                std::memcpy(&stats, RTA_DATA(a),
                            std::min<std::size_t>(RTA_PAYLOAD(a), sizeof stats));
                sum += stats.rx_bytes;
            }
        }
    }
}

// One floor reading: the link dump, then getifaddrs(); false on a failure.
inline bool read_floor(int fd, unsigned sequence, std::vector<char>& buffer, uint64_t& sum) {
    if (!dump_links(fd, sequence, buffer, sum)) return false;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    for (ifaddrs* item = list; item; item = item->ifa_next) sum += item->ifa_addr != nullptr;
    freeifaddrs(list);
    return true;
}

}  // namespace quorvane::bench
