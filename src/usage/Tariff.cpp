#include "usage/Tariff.h"

#include "config/Conversions.h"

namespace quorvane {

Tariff read_tariff(const IniFile& dev_ini, const std::string& device,
                   const RegionalSettings& regional) {
    auto text = [&](const char* key) { return dev_ini.read_string(device, key, "0"); };
    const std::string& separator = regional.decimal_separator;
    Tariff tariff;
    tariff.charged = str_to_int(text("bw_opt"));
    tariff.time_unit = str_to_int(text("time_cost_sat"));
    tariff.time_price = str_to_amount(text("time_cost"), separator);
    tariff.traffic_unit = str_to_int(text("bw_cost_sat"));
    tariff.traffic_price = str_to_amount(text("Bw_cost"), separator);
    return tariff;
}

}  // namespace quorvane
