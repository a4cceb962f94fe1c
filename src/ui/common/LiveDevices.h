#pragma once

#include <string>

namespace quorvane {

// The devices the meter and the statistics windows show. The main window sets them from the
// grid; the windows themselves change them from their own device menus.
inline std::string meter_device;
inline std::string stat_device;

}  // namespace quorvane
