#pragma once

#include <cstdint>
#include <string>

#include "format/RegionalSettings.h"

namespace quorvane {

// The numeric picture "#,##0.00" with the regional separators, of a value already rounded
// to hundredths: at least one integer digit, a thousands separator every three integer
// digits, exactly two decimals, a leading minus when negative. (false, 1234, 5) gives
// "1,234.05" with point-decimal settings. Byte counts and amounts both read this way.
std::string number_picture(bool negative, uint64_t whole, unsigned hundredths,
                           const RegionalSettings& regional);

}  // namespace quorvane
