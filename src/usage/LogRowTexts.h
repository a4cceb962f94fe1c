#pragma once

#include <array>
#include <string>
#include <string_view>

#include "format/RegionalSettings.h"
#include "logdb/LogRow.h"

namespace quorvane {

// The seven texts of a connection as the main grid and the usage report show them: start
// date, start time, network device, duration, download, upload, total traffic.
using GridRowTexts = std::array<std::string, 7>;
inline constexpr int kDeviceColumn = 2;

// A row of the log: its ISO start date and HH:MM time in the regional short formats, then
// the name, the duration and the byte counts.
GridRowTexts log_row_texts(const LogRowRef& row, const RegionalSettings& regional);
// One of those texts (column 0 to 6; empty text for any other), made alone.
std::string log_row_text(const LogRowRef& row, int column, const RegionalSettings& regional);

// The stored ISO date "2024-01-05" and time "13:45" in the regional short formats; a text
// that is not of that form, or not a date or time that exists ("2024-02-30", "-0:05",
// "24:00"), is shown as it is stored.
std::string shown_date(std::string_view iso_date, const RegionalSettings& regional);
std::string shown_time(std::string_view hh_mm, const RegionalSettings& regional);

}  // namespace quorvane
