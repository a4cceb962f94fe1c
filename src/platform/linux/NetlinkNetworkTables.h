#pragma once

#include <cstddef>
#include <optional>

#include "platform/NetworkTables.h"
#include "platform/linux/LinuxLinks.h"

namespace quorvane {

// The network tables of the machine's links. The interface table takes a fresh reading of
// the links; the address table and the adapter list answer from the reading of the last
// interface table (taking one if there is none yet).
class NetlinkNetworkTables : public NetworkTables {
public:
    explicit NetlinkNetworkTables(LinuxLinks& links) : m_links(links) {}

    // One row per interface, ascending by interface index.
    void read_if_table(TMIBIfArray& table) override;
    // Every IPv4 address, plus one row with address 0 for each interface that has none or
    // whose link is down; stays empty when the addresses cannot be read.
    void read_ip_addr_table(TMibIPAddrArray& table) override;
    // Every interface but the loopback that has a hardware address other than all zeros.
    void read_adapters_info(TIP_ADAPTER_INFO_ARR& adapters) override;

private:
    LinuxLinks& m_links;
    // The address table of the links' last generation.
    std::optional<std::size_t> m_merged_generation;
    TMibIPAddrArray m_merged;
};

}  // namespace quorvane
