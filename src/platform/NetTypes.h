#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// One row of the interface table, with the fields the program reads.
struct MIB_IFROW {
    uint32_t dwIndex = 0;
    uint32_t dwType = 0;
    uint32_t dwSpeed = 0;  // bits per second, capped at the largest 32-bit value
    uint32_t dwPhysAddrLen = 0;
    std::array<uint8_t, 8> bPhysAddr{};
    uint32_t dwOperStatus = 0;
    uint32_t dwInOctets = 0;   // low 32 bits of the receive counter; wraps at 2^32
    uint32_t dwOutOctets = 0;  // low 32 bits of the send counter
    uint32_t dwDescrLen = 0;   // counts the terminating zero byte
    std::array<char, 256> bDescr{};
    // Where the platform keeps wider counters (Linux: 64 bits) they travel beside the
    // low 32 bits, so the sampling cycle can tell a counter reset from a wrap.
    bool has_octets64 = false;
    uint64_t in_octets64 = 0;
    uint64_t out_octets64 = 0;
};
using TMIBIfArray = std::vector<MIB_IFROW>;

// One row of the IPv4 address table; dwAddr holds the first octet in its lowest byte.
struct MIB_IPADDRROW {
    uint32_t dwAddr = 0;
    uint32_t dwIndex = 0;
    bool operator==(const MIB_IPADDRROW&) const = default;
};
using TMibIPAddrArray = std::vector<MIB_IPADDRROW>;

// One adapter of the adapter list.
struct IP_ADAPTER_INFO {
    std::string AdapterName;
    uint32_t AddressLength = 0;
    std::array<uint8_t, 8> Address{};
    bool operator==(const IP_ADAPTER_INFO&) const = default;
};
using TIP_ADAPTER_INFO_ARR = std::vector<IP_ADAPTER_INFO>;

// An active dial-up connection (entry name and dotted address) or a phone-book entry.
struct Tdialupentries {
    std::string entry_name;
    std::string ip_address;
    bool operator==(const Tdialupentries&) const = default;
};
using TDialupEntriesArray = std::vector<Tdialupentries>;

}  // namespace quorvane
