#include "platform/linux/NetlinkStatsMessages.h"

#include <algorithm>
#include <cstring>

#include <linux/if_link.h>
#include <linux/rtnetlink.h>

#include "platform/linux/NetlinkDumpWalk.h"

namespace quorvane {

DumpProgress parse_stats_messages(const void* data, std::size_t size,
                                  std::vector<LinkCounters>& counters) {
    return walk_dump(data, size, RTM_NEWSTATS, [&](const nlmsghdr* header) {
        if (header->nlmsg_len < NLMSG_LENGTH(sizeof(if_stats_msg))) return;
        const auto* message = static_cast<const if_stats_msg*>(NLMSG_DATA(header));
        int length = static_cast<int>(header->nlmsg_len - NLMSG_LENGTH(sizeof(if_stats_msg)));
        const auto* attr = reinterpret_cast<const rtattr*>(reinterpret_cast<const char*>(message) +
                                                           NLMSG_ALIGN(sizeof(if_stats_msg)));
        for (; RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
            if (attr->rta_type != IFLA_STATS_LINK_64) continue;
            // Kernels append fields; the byte counters stay where they are.
            const std::size_t payload = RTA_PAYLOAD(attr);
            rtnl_link_stats64 stats{};
            if (payload < offsetof(rtnl_link_stats64, tx_bytes) + sizeof stats.tx_bytes) return;
            std::memcpy(&stats, RTA_DATA(attr), std::min(payload, sizeof stats));
            counters.push_back(LinkCounters{message->ifindex, stats.rx_bytes, stats.tx_bytes});
            return;
        }
    });
}

}  // namespace quorvane
