#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One IPv4 address of an interface: the interface (or address label) name and the address
// as stored in sin_addr (first octet in the lowest byte).
struct InterfaceAddress {
    std::string name;
    uint32_t address = 0;
};

// Where the IPv4 addresses come from; answers nothing when they cannot be read.
using AddressSource = std::function<std::optional<std::vector<InterfaceAddress>>()>;

namespace interface_addresses {

// The machine's IPv4 addresses from getifaddrs().
std::optional<std::vector<InterfaceAddress>> read_ipv4();
// The interface an address belongs to: an address label such as "eth0:1" names "eth0"
// (interface names never hold ':').
std::string interface_of(const std::string& label);
// Dotted text of an address as stored in sin_addr.
std::string dotted(uint32_t address);

}  // namespace interface_addresses
}  // namespace quorvane
