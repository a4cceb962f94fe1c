#pragma once

#include <cstdint>
#include <string>

#include "format/RegionalSettings.h"

namespace quorvane {

// A byte count with a binary unit and two decimals: "1,023.00 B", "1.50 KB", "5.00 GB",
// using the regional thousands and decimal separators.
std::string bytes_to_str(int64_t count, const RegionalSettings& regional);

// The same for the sum of two counts (a row's download plus upload), worked out without
// overflow: a sum past 64 bits shows its true value, never a wrapped one.
std::string bytes_sum_to_str(int64_t a, int64_t b, const RegionalSettings& regional);
// The sum of two counts as a plain decimal number, also past 64 bits.
std::string decimal_sum(int64_t a, int64_t b);

// A count of seconds as hours:minutes:seconds, each at least two digits: "01:02:05". Hours
// are not limited: a summed total of many connections gives "1000000:00:00" and more.
std::string secs_to_str(int64_t seconds);

}  // namespace quorvane
