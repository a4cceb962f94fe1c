#include "platform/linux/NetlinkLinkDump.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/linux/NetlinkAddressMessages.h"
#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane {

namespace {

constexpr int attempts = 3;
// Large enough for one message of any link; the kernel fills it with as many as fit.
constexpr std::size_t buffer_size = 64 * 1024;

// The kernel names an IPv4 address by its label; an address without one is named by its
// interface.
std::string name_of_index(uint32_t ifindex) {
    char name[IF_NAMESIZE] = {};
    return if_indextoname(ifindex, name) != nullptr ? std::string(name) : std::string();
}

}  // namespace

NetlinkLinkDump::~NetlinkLinkDump() {
    close_socket();
    if (m_notices >= 0) ::close(m_notices);
}

void NetlinkLinkDump::close_socket() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool NetlinkLinkDump::open_notices() {
    m_notices = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    if (m_notices < 0) return false;
    sockaddr_nl groups{};
    groups.nl_family = AF_NETLINK;
    groups.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR;
    if (::bind(m_notices, reinterpret_cast<const sockaddr*>(&groups), sizeof groups) != 0) {
        ::close(m_notices);
        m_notices = -1;
        return false;
    }
    return true;
}

void NetlinkLinkDump::take_notices() {
    // Opened before the first dump, so that no change after it goes unheard; what came
    // before the socket was there is in the whole dumps that follow.
    if (m_notices < 0) {
        m_links_changed = m_addresses_changed = true;
        if (!open_notices()) return;
    }
    if (m_buffer.size() != buffer_size) m_buffer.resize(buffer_size);
    for (;;) {
        const ssize_t got = ::recv(m_notices, m_buffer.data(), m_buffer.size(), MSG_DONTWAIT);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (got < 0 && errno == ENOBUFS) {
            // Notices were lost: anything may have changed.
            m_links_changed = m_addresses_changed = true;
            continue;
        }
        if (got <= 0) {
            ::close(m_notices);
            m_notices = -1;
            m_links_changed = m_addresses_changed = true;
            return;
        }
        int length = static_cast<int>(got);
        for (auto* header = reinterpret_cast<const nlmsghdr*>(m_buffer.data());
             NLMSG_OK(header, length); header = NLMSG_NEXT(header, length)) {
            switch (header->nlmsg_type) {
                case RTM_NEWLINK:
                case RTM_DELLINK:
                    // A renamed link renames the addresses that carry no label too.
                    m_links_changed = m_addresses_changed = true;
                    break;
                case RTM_NEWADDR:
                case RTM_DELADDR:
                    m_addresses_changed = true;
                    break;
                default:
                    break;
            }
        }
    }
}

std::optional<std::vector<NetlinkLink>> NetlinkLinkDump::read() {
    take_notices();
    m_notices_taken = true;
    if (!m_links_changed && m_links && refresh_counters()) return m_links;
    m_links = ask<NetlinkLink>(Dump::links, [](const char* data, std::size_t size, auto& links) {
        return parse_link_messages(data, size, links);
    });
    if (m_links) {
        ++m_link_dumps;
        m_links_changed = m_notices < 0;
        m_by_index.resize(m_links->size());
        for (std::size_t i = 0; i < m_by_index.size(); ++i) m_by_index[i] = i;
        std::sort(m_by_index.begin(), m_by_index.end(), [&](std::size_t a, std::size_t b) {
            return (*m_links)[a].ifindex < (*m_links)[b].ifindex;
        });
    }
    return m_links;
}

std::optional<std::vector<InterfaceAddress>> NetlinkLinkDump::read_ipv4_addresses() {
    // A tick reads the addresses right after the links, whose reading has just taken the
    // notices; a notice that comes in between is taken at the next tick, as one during a
    // dump is.
    if (!m_notices_taken) take_notices();
    m_notices_taken = false;
    if (!m_addresses_changed && m_addresses) return m_addresses;
    m_addresses = ask<InterfaceAddress>(
        Dump::ipv4_addresses, [](const char* data, std::size_t size, auto& addresses) {
            return parse_address_messages(data, size, addresses, name_of_index);
        });
    if (m_addresses) {
        ++m_address_dumps;
        m_addresses_changed = m_notices < 0;
    }
    return m_addresses;
}

bool NetlinkLinkDump::refresh_counters() {
    if (m_counters_refused) return false;
    m_counters.clear();
    if (!send_request(Dump::counters) || !receive([&](const char* data, std::size_t size) {
            return parse_stats_messages(data, size, m_counters);
        })) {
        close_socket();
        // A kernel that has never answered one in three tries has none (a dump that a
        // change interrupted fails once): links are dumped whole from now on.
        if (!m_counters_asked && ++m_counters_failed >= 3) m_counters_refused = true;
        return false;
    }
    m_counters_asked = true;
    // The same links as the last dump, else it is dumped again.
    auto& links = *m_links;
    if (m_counters.size() != links.size()) return false;
    if (!std::is_sorted(m_counters.begin(), m_counters.end(),
                        [](const auto& a, const auto& b) { return a.ifindex < b.ifindex; })) {
        std::sort(m_counters.begin(), m_counters.end(),
                  [](const auto& a, const auto& b) { return a.ifindex < b.ifindex; });
    }
    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        if (links[m_by_index[i]].ifindex != m_counters[i].ifindex) return false;
    }
    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        NetlinkLink& link = links[m_by_index[i]];
        link.rx_bytes = m_counters[i].rx_bytes;
        link.tx_bytes = m_counters[i].tx_bytes;
    }
    return true;
}

template <class Item, class Parse>
std::optional<std::vector<Item>> NetlinkLinkDump::ask(Dump dump, Parse parse) {
    // Room for as many items as the last dump of this kind held, so a steady machine's
    // answer is read without growing the list.
    std::size_t& expected = m_expected[static_cast<std::size_t>(dump)];
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::vector<Item> items;
        items.reserve(expected);
        if (send_request(dump) &&
            receive([&](const char* data, std::size_t size) { return parse(data, size, items); })) {
            expected = items.size();
            return items;
        }
        // A socket left with part of an answer in it would confuse the next dump.
        close_socket();
    }
    return std::nullopt;
}

bool NetlinkLinkDump::send_request(Dump dump) {
    if (m_fd < 0) {
        m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
        if (m_fd < 0) return false;
    }
    if (m_buffer.size() != buffer_size) m_buffer.resize(buffer_size);

    struct {
        nlmsghdr header;
        union {
            ifinfomsg link;
            ifaddrmsg address;
            if_stats_msg stats;
        };
    } request{};
    switch (dump) {
        case Dump::links:
            request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
            request.header.nlmsg_type = RTM_GETLINK;
            request.link.ifi_family = AF_UNSPEC;
            break;
        case Dump::ipv4_addresses:
            request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
            request.header.nlmsg_type = RTM_GETADDR;
            request.address.ifa_family = AF_INET;
            break;
        case Dump::counters:
            request.header.nlmsg_len = NLMSG_LENGTH(sizeof(if_stats_msg));
            request.header.nlmsg_type = RTM_GETSTATS;
            request.stats.family = AF_UNSPEC;
            request.stats.filter_mask = IFLA_STATS_FILTER_BIT(IFLA_STATS_LINK_64);
            break;
    }
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = ++m_sequence;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, &request, request.header.nlmsg_len, 0,
                        reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(request.header.nlmsg_len);
}

template <class Parse>
bool NetlinkLinkDump::receive(Parse&& parse) {
    for (;;) {
        ssize_t got = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        const auto* first = reinterpret_cast<const nlmsghdr*>(m_buffer.data());
        // An answer to an earlier request that was given up on is not this dump.
        if (first->nlmsg_seq != m_sequence) return false;
        switch (parse(m_buffer.data(), static_cast<std::size_t>(got))) {
            case DumpProgress::done:
                return true;
            case DumpProgress::failed:
                return false;
            case DumpProgress::more:
                break;
        }
    }
}

LinkSource kernel_links() {
    return kernel_sources().links;
}

KernelSources kernel_sources() {
    auto dump = std::make_shared<NetlinkLinkDump>();
    return {[dump] { return dump->read(); }, [dump] { return dump->read_ipv4_addresses(); }};
}

}  // namespace quorvane
