#pragma once

#include <string>
#include <vector>

#include "format/RegionalSettings.h"

namespace quorvane {

// The ticks of a value axis from 0 to at least `max`: round steps (1, 2, 2.5 or 5 times a
// power of ten of the unit), each with its label.
struct AxisTicks {
    double top = 1;
    std::vector<double> values;
    std::vector<std::string> labels;
};

// Bytes, in steps of a binary unit (B, KB, MB, GB, TB as the byte texts have them), labelled
// as every window writes bytes.
AxisTicks byte_ticks(double max_bytes, const RegionalSettings& regional);
// Money in currency units, in steps of at least 0.01, labelled in the regional amount format.
AxisTicks amount_ticks(double max_amount, const RegionalSettings& regional);

}  // namespace quorvane
