#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/NetTypes.h"
#include "platform/linux/LinuxLink.h"

namespace quorvane {

// How a Linux interface reads as a row of the interface table.
namespace if_row_mapping {

// Interface type code of an ARPHRD_* link type; Ethernet that is wireless reads as 71.
uint32_t if_type(uint32_t arphrd_type, bool wireless);
// Operational status code of an IF_OPER_* state; "unknown" follows IFF_UP in `flags`.
uint32_t oper_status(uint8_t operstate, uint32_t flags);
// Bits per second of a speed in Mbit/s; none or negative gives 0, too large gives the
// largest 32-bit value.
uint32_t speed_bits(std::optional<int64_t> speed_mbit);
// Bytes of a hardware address written as hex pairs joined by ':' (as ip and sysfs write
// it); at most 8 are kept. Answers how many were kept: 0 for empty or malformed text.
uint32_t parse_hardware_address(const std::string& text, std::array<uint8_t, 8>& bytes);
// The whole row.
MIB_IFROW make_row(const LinuxLink& item);

}  // namespace if_row_mapping
}  // namespace quorvane
