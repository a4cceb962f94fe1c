#pragma once

#include <optional>
#include <vector>

#include "platform/linux/NetlinkLink.h"

namespace quorvane {

// Every link of the network namespace, with its counters, from one rtnetlink dump
// (RTM_GETLINK). The socket and the receive buffer are kept from one dump to the next.
class NetlinkLinkDump {
public:
    NetlinkLinkDump() = default;
    ~NetlinkLinkDump();
    NetlinkLinkDump(const NetlinkLinkDump&) = delete;
    NetlinkLinkDump& operator=(const NetlinkLinkDump&) = delete;

    // Nothing when the kernel cannot be asked; a dump that a change of the links
    // interrupted is asked again.
    std::optional<std::vector<NetlinkLink>> read();

private:
    bool ask_once(std::vector<NetlinkLink>& links);
    void close_socket();

    int m_fd = -1;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
};

// The links of the network namespace the caller is in when it first asks, from a dump of
// its own.
LinkSource kernel_links();

}  // namespace quorvane
