#include "ui/stat/StatTexts.h"

#include "format/QuantityFormat.h"

namespace quorvane {

const std::array<const char*, kStatRows>& stat_descriptions() {
    static const std::array<const char*, kStatRows> descriptions{
        "Device name",
        "IP address",
        "MAC address",
        "Online time",
        "Download traffic /s",
        "Download traffic peak value",
        "Average download traffic",
        "Total Download traffic",
        "Upload traffic /s",
        "Upload traffic peak value",
        "Average upload trafic",
        "Total upload traffic",
    };
    return descriptions;
}

std::array<std::string, kStatRows> stat_values(const Tmibdata& d,
                                               const RegionalSettings& regional) {
    auto bytes = [&regional](int64_t count) { return bytes_to_str(count, regional); };
    return {d.deventry,
            d.ip,
            d.mac,
            secs_to_str(d.online_time),
            bytes(d.dload_rate),
            bytes(d.dload_peak),
            bytes(d.dload_avg),
            bytes(d.dload_total),
            bytes(d.uload_rate),
            bytes(d.uload_peak),
            bytes(d.uload_avg),
            bytes(d.uload_total)};
}

}  // namespace quorvane
