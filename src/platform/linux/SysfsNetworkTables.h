#pragma once

#include <filesystem>

#include "platform/NetworkTables.h"
#include "platform/linux/InterfaceAddresses.h"

namespace quorvane {

// The network tables read from sysfs (interfaces, counters, hardware addresses) and
// getifaddrs() (IPv4 addresses).
class SysfsNetworkTables : public NetworkTables {
public:
    explicit SysfsNetworkTables(std::filesystem::path root = "/sys/class/net",
                                AddressSource addresses = interface_addresses::read_ipv4);

    // One row per interface, ascending by interface index.
    void read_if_table(TMIBIfArray& table) override;
    // Every IPv4 address, plus one row with address 0 for each interface that has none or
    // whose link is down; stays empty when the addresses cannot be read.
    void read_ip_addr_table(TMibIPAddrArray& table) override;
    // Every interface but the loopback that has a hardware address other than all zeros.
    void read_adapters_info(TIP_ADAPTER_INFO_ARR& adapters) override;

private:
    std::filesystem::path m_root;
    AddressSource m_addresses;
};

}  // namespace quorvane
