#pragma once

#include <cstdint>
#include <string>

#include "config/IniFile.h"
#include "format/RegionalSettings.h"

namespace quorvane {

// A device's tariff as config/dev.ini stores it in the device's section: indexes as
// stored (an index outside its list is kept; the cost model gives that part no cost),
// prices in ten-thousandths.
struct Tariff {
    int charged = 0;            // bw_opt: 0 down + up, 1 down only, 2 up only
    int time_unit = 0;          // time_cost_sat: 0 per minute, 1 per hour
    int64_t time_price = 0;     // time_cost
    int traffic_unit = 0;       // bw_cost_sat: 0 per byte, 1 per KByte, 2 per Mbyte (1024000)
    int64_t traffic_price = 0;  // Bw_cost

    bool operator==(const Tariff&) const = default;
};

// Reads the five keys of a device's section (missing keys count as "0"), in the order the
// cost of a connection needs them: bw_opt, time_cost_sat, time_cost, bw_cost_sat, Bw_cost.
// A value that does not convert throws ConversionError naming the text.
Tariff read_tariff(const IniFile& dev_ini, const std::string& device,
                   const RegionalSettings& regional);

}  // namespace quorvane
