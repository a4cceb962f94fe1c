#pragma once

#include "platform/NetTypes.h"

namespace quorvane {

// The machine's interface, IPv4 address and adapter tables. Each call takes a fresh
// snapshot into an array passed in empty; a failure leaves the array empty and never throws.
class NetworkTables {
public:
    virtual ~NetworkTables() = default;
    // Interfaces in the platform's order.
    virtual void read_if_table(TMIBIfArray& table) = 0;
    // Addresses sorted ascending by address (as a 32-bit value).
    virtual void read_ip_addr_table(TMibIPAddrArray& table) = 0;
    // Adapters (non-loopback interfaces with a hardware address).
    virtual void read_adapters_info(TIP_ADAPTER_INFO_ARR& adapters) = 0;
};

}  // namespace quorvane
