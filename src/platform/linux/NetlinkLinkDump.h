#pragma once

#include <optional>
#include <vector>

#include "platform/linux/InterfaceAddresses.h"
#include "platform/linux/NetlinkLink.h"

namespace quorvane {

// Every link of the network namespace, with its counters, from one rtnetlink dump
// (RTM_GETLINK), and every IPv4 address from one address dump (RTM_GETADDR) on the same
// socket. The socket and the receive buffer are kept from one dump to the next.
class NetlinkLinkDump {
public:
    NetlinkLinkDump() = default;
    ~NetlinkLinkDump();
    NetlinkLinkDump(const NetlinkLinkDump&) = delete;
    NetlinkLinkDump& operator=(const NetlinkLinkDump&) = delete;

    // Nothing when the kernel cannot be asked; a dump that a change of the links
    // interrupted is asked again.
    std::optional<std::vector<NetlinkLink>> read();
    // The IPv4 addresses, as the address labels name them; nothing when the kernel cannot
    // be asked.
    std::optional<std::vector<InterfaceAddress>> read_ipv4_addresses();

private:
    enum class Dump { links, ipv4_addresses };
    bool send_request(Dump dump);
    template <class Parse>
    bool receive(Parse&& parse);
    template <class Item, class Parse>
    std::optional<std::vector<Item>> ask(Dump dump, Parse parse);
    void close_socket();

    int m_fd = -1;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
    std::size_t m_expected[2] = {0, 0};  // items of the last dump, by kind
};

// The links of the network namespace the caller is in when it first asks, from a dump of
// its own.
LinkSource kernel_links();

// The links and the IPv4 addresses of the network namespace the caller is in when it first
// asks, both from dumps on one socket of their own.
struct KernelSources {
    LinkSource links;
    AddressSource addresses;
};
KernelSources kernel_sources();

}  // namespace quorvane
