#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/NetTypes.h"

namespace quorvane {

// Hyphen-separated upper-case hex pairs of the first count bytes (at most 8):
// 00-0C-29-AB-CD-EF; a count of 0 gives 00-00-00-00-00-00.
std::string mac_to_str(const std::array<uint8_t, 8>& address, uint32_t count);

// The same text held in place, for comparing many addresses without building strings.
struct MacText {
    std::array<char, 23> chars{};
    uint8_t size = 0;
    std::string_view view() const { return {chars.data(), size}; }
};
MacText mac_text(const std::array<uint8_t, 8>& address, uint32_t count);

// Dotted text of an address as the address table stores it (first octet in the lowest
// byte): 192.168.0.1; 0 gives 0.0.0.0.
std::string ip_to_str(uint32_t address);

// The interface row's description: its first dwDescrLen - 1 bytes, without the zero byte.
std::string row_description(const MIB_IFROW& row);

}  // namespace quorvane
