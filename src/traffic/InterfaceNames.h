#pragma once

#include <cstdint>
#include <string_view>

namespace quorvane {

inline constexpr const char* kTypePpp = "MIB_IF_TYPE_PPP";
inline constexpr const char* kTypeLoopback = "MIB_IF_TYPE_LOOPBACK";

// "MIB_IF_TYPE_ETHERNET" for 6 and so on; empty text for a code without a name.
std::string_view if_type_name(uint32_t code);
// "MIB_IF_OPER_STATUS_OPERATIONAL" for 5 and so on; empty text for a code without a name.
std::string_view oper_status_name(uint32_t code);

}  // namespace quorvane
