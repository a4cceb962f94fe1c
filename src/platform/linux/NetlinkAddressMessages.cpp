#include "platform/linux/NetlinkAddressMessages.h"

#include <cstring>

#include <linux/if_addr.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include "platform/linux/NetlinkDumpWalk.h"

namespace quorvane {

namespace {

// One RTM_NEWADDR message of family AF_INET; false when it holds no usable address.
bool parse_address(const nlmsghdr* header, InterfaceNameOf name_of, InterfaceAddress& into) {
    if (header->nlmsg_len < NLMSG_LENGTH(sizeof(ifaddrmsg))) return false;
    const auto* info = static_cast<const ifaddrmsg*>(NLMSG_DATA(header));
    if (info->ifa_family != AF_INET) return false;
    const rtattr* local = nullptr;
    const rtattr* address = nullptr;
    const rtattr* label = nullptr;
    int length = static_cast<int>(header->nlmsg_len - NLMSG_LENGTH(sizeof(ifaddrmsg)));
    for (const rtattr* attr = IFA_RTA(info); RTA_OK(attr, length); attr = RTA_NEXT(attr, length)) {
        switch (attr->rta_type) {
            case IFA_LOCAL:
                local = attr;
                break;
            case IFA_ADDRESS:
                address = attr;
                break;
            case IFA_LABEL:
                label = attr;
                break;
            default:
                break;
        }
    }
    const rtattr* own = local != nullptr ? local : address;
    if (own == nullptr || RTA_PAYLOAD(own) < sizeof into.address) return false;
    std::memcpy(&into.address, RTA_DATA(own), sizeof into.address);
    if (label != nullptr) {
        const auto* text = static_cast<const char*>(RTA_DATA(label));
        into.name.assign(text, strnlen(text, RTA_PAYLOAD(label)));
    } else {
        into.name.clear();
    }
    if (into.name.empty() && name_of != nullptr) into.name = name_of(info->ifa_index);
    return !into.name.empty();
}

}  // namespace

DumpProgress parse_address_messages(const void* data, std::size_t size,
                                    std::vector<InterfaceAddress>& addresses,
                                    InterfaceNameOf name_of) {
    InterfaceAddress item;
    return walk_dump(data, size, RTM_NEWADDR, [&](const nlmsghdr* header) {
        if (parse_address(header, name_of, item)) addresses.push_back(item);
    });
}

}  // namespace quorvane
