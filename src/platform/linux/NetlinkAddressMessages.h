#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/linux/InterfaceAddresses.h"
#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane {

// The name of an interface by its index; empty when there is none.
using InterfaceNameOf = std::string (*)(uint32_t ifindex);

// Appends the IPv4 addresses of one received buffer of the answer to an address dump
// (RTM_GETADDR with NLM_F_DUMP). An address is its local address (IFA_LOCAL), which on a
// point-to-point link differs from IFA_ADDRESS, the peer; it is named by its label, or by
// its interface where the kernel gives no label, and left out when neither names it.
// Answers done at the end of the dump, failed on an error message or a malformed buffer.
DumpProgress parse_address_messages(const void* data, std::size_t size,
                                    std::vector<InterfaceAddress>& addresses,
                                    InterfaceNameOf name_of);

}  // namespace quorvane
