#include "platform/linux/NetlinkLinkMessages.h"

#include <algorithm>
#include <cstring>

#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

#include "platform/linux/NetlinkDumpWalk.h"

namespace quorvane {

namespace {

// The text of a string attribute, up to its terminating zero.
std::string attribute_text(const rtattr* attr) {
    const auto* text = static_cast<const char*>(RTA_DATA(attr));
    const std::size_t size = RTA_PAYLOAD(attr);
    return std::string(text, strnlen(text, size));
}

// One RTM_NEWLINK message; nothing when it lacks what every link carries.
std::optional<NetlinkLink> parse_link(const nlmsghdr* header) {
    if (header->nlmsg_len < NLMSG_LENGTH(sizeof(ifinfomsg))) return std::nullopt;
    const auto* info = static_cast<const ifinfomsg*>(NLMSG_DATA(header));
    NetlinkLink link;
    link.ifindex = static_cast<uint32_t>(info->ifi_index);
    link.arphrd_type = info->ifi_type;
    link.flags = info->ifi_flags;
    bool named = false, counted = false;
    int length = static_cast<int>(header->nlmsg_len - NLMSG_LENGTH(sizeof(ifinfomsg)));
    for (const rtattr* attr = IFLA_RTA(info); RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
        const std::size_t payload = RTA_PAYLOAD(attr);
        switch (attr->rta_type) {
            case IFLA_IFNAME:
                link.name = attribute_text(attr);
                named = !link.name.empty();
                break;
            case IFLA_IFALIAS:
                link.alias = attribute_text(attr);
                break;
            case IFLA_ADDRESS: {
                const auto* bytes = static_cast<const uint8_t*>(RTA_DATA(attr));
                link.address.assign(bytes, bytes + payload);
                break;
            }
            case IFLA_OPERSTATE:
                if (payload >= 1) link.operstate = *static_cast<const uint8_t*>(RTA_DATA(attr));
                break;
            case IFLA_STATS64: {
                // Kernels append fields; the byte counters stay where they are.
                rtnl_link_stats64 stats{};
                if (payload < offsetof(rtnl_link_stats64, tx_bytes) + sizeof stats.tx_bytes) break;
                std::memcpy(&stats, RTA_DATA(attr), std::min(payload, sizeof stats));
                link.rx_bytes = stats.rx_bytes;
                link.tx_bytes = stats.tx_bytes;
                counted = true;
                break;
            }
            default:
                break;
        }
    }
    if (!named || !counted || link.ifindex == 0) return std::nullopt;
    return link;
}

}  // namespace

DumpProgress parse_link_messages(const void* data, std::size_t size,
                                 std::vector<NetlinkLink>& links) {
    return walk_dump(data, size, RTM_NEWLINK, [&](const nlmsghdr* header) {
        if (auto link = parse_link(header)) links.push_back(std::move(*link));
    });
}

}  // namespace quorvane
