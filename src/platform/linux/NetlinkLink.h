#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One network interface as an rtnetlink link message describes it.
struct NetlinkLink {
    uint32_t ifindex = 0;
    std::string name;
    uint32_t arphrd_type = 0;      // ARPHRD_* link type
    uint32_t flags = 0;            // IFF_* flags
    uint8_t operstate = 0;         // IF_OPER_*; 0 is "unknown"
    std::vector<uint8_t> address;  // hardware address; empty where the link has none
    std::string alias;             // ifalias, empty when none is set
    uint64_t rx_bytes = 0;
    uint64_t tx_bytes = 0;
};

// Where the links come from; answers nothing when they cannot be read.
using LinkSource = std::function<std::optional<std::vector<NetlinkLink>>()>;

}  // namespace quorvane
