#pragma once

#include <array>
#include <string>
#include <vector>

#include "logdb/LogRow.h"
#include "platform/RegionalSettings.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

// The seven cells of a grid row: start date, start time, network device, duration,
// download, upload, total traffic.
using GridRowTexts = std::array<std::string, 7>;
inline constexpr int kDeviceColumn = 2;

// A device online now, from the device table: its start as stored, its name, and the
// duration and totals of its current connection.
GridRowTexts online_row_texts(const Tmibdata& device, const RegionalSettings& regional);

// A row of the log: its ISO start date and HH:MM time in the regional short formats, then
// the name, the duration and the byte counts.
GridRowTexts log_row_texts(const LogRow& row, const RegionalSettings& regional);

// The stored ISO date "2024-01-05" and time "13:45" in the regional short formats; a text
// that is not of that form is shown as it is.
std::string shown_date(const std::string& iso_date, const RegionalSettings& regional);
std::string shown_time(const std::string& hh_mm, const RegionalSettings& regional);

// True for a device of the device table that is online (its address is not 0.0.0.0).
bool is_online_now(const Tmibdata& device);

}  // namespace quorvane
