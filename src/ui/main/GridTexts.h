#pragma once

#include <string>
#include <vector>

#include "format/RegionalSettings.h"
#include "traffic/Tmibdata.h"
#include "usage/LogRowTexts.h"

namespace quorvane {

// A device online now, from the device table: its start as stored, its name, and the
// duration and totals of its current connection. Rows of the log are made by
// log_row_texts (logdb/LogRowTexts.h), which the usage report shares.
GridRowTexts online_row_texts(const Tmibdata& device, const RegionalSettings& regional);

// True for a device of the device table that is online (its address is not 0.0.0.0).
bool is_online_now(const Tmibdata& device);

}  // namespace quorvane
