#pragma once

#include <string>

namespace quorvane {

// The user's regional settings, as a plain value. Date and time formats use the pattern
// letters d, dd, M, MM, yy, yyyy, h, hh, H, HH, m, mm, s, ss, AP and ap.
struct RegionalSettings {
    std::string decimal_separator = ".";
    std::string thousands_separator = ",";
    std::string short_date_format = "dd/MM/yyyy";
    std::string short_time_format = "HH:mm";

    bool operator==(const RegionalSettings&) const = default;
};

}  // namespace quorvane
