#pragma once

#include <array>
#include <string>

#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

// The statistics table's twelve rows: their descriptions, and the values of a device.
// Rates and peaks are per second, shown without "/s".
inline constexpr int kStatRows = 12;
const std::array<const char*, kStatRows>& stat_descriptions();
std::array<std::string, kStatRows> stat_values(const Tmibdata& device,
                                               const RegionalSettings& regional);
// A hardware address as the device table keeps it, "52-F5-F0-00-14-07", as this platform
// shows one: "52:f5:f0:00:14:07".
std::string mac_shown(const std::string& mac);

}  // namespace quorvane
