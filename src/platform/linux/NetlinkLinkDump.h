#pragma once

#include <optional>
#include <vector>

#include "platform/linux/InterfaceAddresses.h"
#include "platform/linux/NetlinkLink.h"
#include "platform/linux/NetlinkStatsMessages.h"

namespace quorvane {

// Every link of the network namespace, with its counters, and every IPv4 address, asked of
// the kernel over one rtnetlink socket. The socket and the receive buffer are kept from one
// reading to the next.
//
// A second socket hears the kernel's notices of changed links and addresses. While none has
// come, a reading of the links is the last link dump (RTM_GETLINK) with fresh counters from a
// statistics dump (RTM_GETSTATS, the 64-bit link counters only), which costs the kernel a
// fraction of a link dump, and a reading of the addresses is the last address dump
// (RTM_GETADDR). A notice, a lost notice (the socket overflowed), a statistics dump whose
// links are not the last dump's, or no notice socket at all makes the next reading a whole
// dump again.
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

    // Whole link and address dumps made so far.
    std::size_t link_dumps() const { return m_link_dumps; }
    std::size_t address_dumps() const { return m_address_dumps; }

private:
    enum class Dump { links, ipv4_addresses, counters };
    bool send_request(Dump dump);
    template <class Parse>
    bool receive(Parse&& parse);
    template <class Item, class Parse>
    std::optional<std::vector<Item>> ask(Dump dump, Parse parse);
    void close_socket();
    // Reads the notices that came since the last look, and marks what they change.
    void take_notices();
    bool open_notices();
    // The last link dump's counters made fresh; false when that cannot be done.
    bool refresh_counters();

    int m_fd = -1;
    int m_notices = -1;
    unsigned m_sequence = 0;
    std::vector<char> m_buffer;
    std::size_t m_expected[2] = {0, 0};  // items of the last dump, by kind
    std::optional<std::vector<NetlinkLink>> m_links;
    std::optional<std::vector<InterfaceAddress>> m_addresses;
    bool m_links_changed = true, m_addresses_changed = true;
    bool m_notices_taken = false;     // by a reading of the links since the last of the addresses
    bool m_counters_asked = false;    // a statistics dump has worked
    bool m_counters_refused = false;  // the kernel has none
    int m_counters_failed = 0;        // statistics dumps failed before one worked
    std::vector<LinkCounters> m_counters;
    std::vector<std::size_t> m_by_index;  // m_links' positions ascending by interface index
    std::size_t m_link_dumps = 0, m_address_dumps = 0;
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
