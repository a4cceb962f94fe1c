#pragma once

#include <cstdint>
#include <string>

#include "format/RegionalSettings.h"

namespace quorvane {

// An amount of ten-thousandths as "###,##0.00" with the regional separators: at least one
// integer digit, grouped by three, two decimals rounded halves away from zero, a leading
// minus when negative. 12345678910 gives "1,234,567.89"; 50 gives "0.01".
std::string amount_to_str(int64_t ten_thousandths, const RegionalSettings& regional);

}  // namespace quorvane
