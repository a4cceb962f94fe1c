#include "platform/linux/NetlinkLinkDump.h"

#include <cerrno>
#include <memory>

#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane {

namespace {

constexpr int attempts = 3;
// Large enough for one message of any link; the kernel fills it with as many as fit.
constexpr std::size_t buffer_size = 64 * 1024;

}  // namespace

NetlinkLinkDump::~NetlinkLinkDump() {
    close_socket();
}

void NetlinkLinkDump::close_socket() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

std::optional<std::vector<NetlinkLink>> NetlinkLinkDump::read() {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        std::vector<NetlinkLink> links;
        if (ask_once(links)) return links;
        // A socket left with part of an answer in it would confuse the next dump.
        close_socket();
    }
    return std::nullopt;
}

bool NetlinkLinkDump::ask_once(std::vector<NetlinkLink>& links) {
    if (m_fd < 0) {
        m_fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
        if (m_fd < 0) return false;
    }
    if (m_buffer.size() != buffer_size) m_buffer.resize(buffer_size);

    struct {
        nlmsghdr header;
        ifinfomsg info;
    } request{};
    request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
    request.header.nlmsg_type = RTM_GETLINK;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = ++m_sequence;
    request.info.ifi_family = AF_UNSPEC;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    ssize_t sent;
    do {
        sent = ::sendto(m_fd, &request, request.header.nlmsg_len, 0,
                        reinterpret_cast<const sockaddr*>(&kernel), sizeof kernel);
    } while (sent < 0 && errno == EINTR);
    if (sent != static_cast<ssize_t>(request.header.nlmsg_len)) return false;

    for (;;) {
        ssize_t got = ::recv(m_fd, m_buffer.data(), m_buffer.size(), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        const auto* first = reinterpret_cast<const nlmsghdr*>(m_buffer.data());
        // An answer to an earlier request that was given up on is not this dump.
        if (first->nlmsg_seq != m_sequence) return false;
        switch (parse_link_messages(m_buffer.data(), static_cast<std::size_t>(got), links)) {
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
    return [dump = std::make_shared<NetlinkLinkDump>()] { return dump->read(); };
}

}  // namespace quorvane
