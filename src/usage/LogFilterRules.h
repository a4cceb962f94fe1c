#pragma once

#include <string>

#include "logdb/LogFilter.h"

namespace quorvane {

// The texts of the filter boxes as they are shown. A box is unset when its text is "All"
// or empty.
struct FilterBoxes {
    std::string device;
    std::string from_day, from_month, from_year;
    std::string to_day, to_month, to_year;
};

// A log filter built from the boxes, with the period caption: "3/07/2005 to 3/07/2005"
// (month without a leading zero, two-digit day, four-digit year), or "All record" when
// either year is unset.
struct BuiltLogFilter {
    LogFilter filter;
    std::string caption;
};

// Builds the filter from the boxes. A day past the end of its month (31 February 2004) is
// corrected to the month's last day, and the corrected text is written back into
// boxes.from_day or boxes.to_day, also when a later box then fails. A box that is not a
// number or a month name, or a date that cannot exist (day 0, year 0), throws
// ConversionError naming the text.
BuiltLogFilter create_log_filter(FilterBoxes& boxes);

// "January" to "December" in any letter case to "01" to "12"; anything else throws
// ConversionError.
std::string month_to_num(const std::string& month);

}  // namespace quorvane
