#include "ui/stat/StatTexts.h"

#include <cctype>

#include "format/QuantityFormat.h"

namespace quorvane {

std::string mac_shown(const std::string& mac) {
    // Only an address of hexadecimal pairs joined by "-" is rewritten; any other text (an
    // empty one, "unknown") is shown as it is.
    if (mac.size() % 3 != 2) return mac;
    for (size_t at = 0; at < mac.size(); ++at) {
        const bool separator = at % 3 == 2;
        if (separator ? mac[at] != '-' : !std::isxdigit(static_cast<unsigned char>(mac[at])))
            return mac;
    }
    std::string shown = mac;
    for (char& c : shown) c = c == '-' ? ':' : static_cast<char>(std::tolower(c));
    return shown;
}

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
        "Average upload traffic",
        "Total upload traffic",
    };
    return descriptions;
}

std::array<std::string, kStatRows> stat_values(const Tmibdata& d,
                                               const RegionalSettings& regional) {
    auto bytes = [&regional](int64_t count) { return bytes_to_str(count, regional); };
    return {d.deventry, d.ip,
            // Hardware addresses as this platform writes them: 52:f5:... with colons.
            mac_shown(d.mac), secs_to_str(d.online_time), bytes(d.dload_rate), bytes(d.dload_peak),
            bytes(d.dload_avg), bytes(d.dload_total), bytes(d.uload_rate), bytes(d.uload_peak),
            bytes(d.uload_avg), bytes(d.uload_total)};
}

}  // namespace quorvane
