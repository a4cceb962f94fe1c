#pragma once

#include <vector>

#include "platform/NetTypes.h"
#include "platform/linux/InterfaceAddresses.h"
#include "platform/linux/LinuxLink.h"

namespace quorvane {

// The IPv4 address table of a set of interfaces and their addresses. Every address of an
// interface whose link works becomes a row under that interface's index; an interface
// without an IPv4 address, or whose link is down, gets exactly one row with address 0, which
// is how a disconnected adapter shows. Addresses of names that are no interface are left
// out. Rows ascend by address as an unsigned 32-bit value.
TMibIPAddrArray merge_address_table(const std::vector<LinuxLink>& interfaces,
                                    const std::vector<InterfaceAddress>& addresses);

}  // namespace quorvane
