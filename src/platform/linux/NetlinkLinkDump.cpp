#include "platform/linux/NetlinkLinkDump.h"

#include <cerrno>
#include <memory>

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
}

void NetlinkLinkDump::close_socket() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

std::optional<std::vector<NetlinkLink>> NetlinkLinkDump::read() {
    return ask<NetlinkLink>(Dump::links, [](const char* data, std::size_t size, auto& links) {
        return parse_link_messages(data, size, links);
    });
}

std::optional<std::vector<InterfaceAddress>> NetlinkLinkDump::read_ipv4_addresses() {
    return ask<InterfaceAddress>(
        Dump::ipv4_addresses, [](const char* data, std::size_t size, auto& addresses) {
            return parse_address_messages(data, size, addresses, name_of_index);
        });
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
        };
    } request{};
    if (dump == Dump::links) {
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
        request.header.nlmsg_type = RTM_GETLINK;
        request.link.ifi_family = AF_UNSPEC;
    } else {
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
        request.header.nlmsg_type = RTM_GETADDR;
        request.address.ifa_family = AF_INET;
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
