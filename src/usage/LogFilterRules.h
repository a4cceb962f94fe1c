#pragma once

#include <string>
#include <utility>

#include "config/Conversions.h"
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

// The boxes of the filter, for naming the one that failed.
enum class FilterBox { none, from_day, from_month, from_year, to_day, to_month, to_year };

// A box that does not convert, or a date it makes that cannot exist: the message names the
// text or the date as ConversionError does, `box` the box to blame and `text` its text.
class FilterBoxError : public ConversionError {
public:
    FilterBoxError(FilterBox box, std::string text, const std::string& message)
        : ConversionError(message), box(box), text(std::move(text)) {}
    FilterBox box;
    std::string text;
};

// The period's start comes after its end ("from" 12 December, "to" 10 December): the two
// ISO dates, for the window to show in its own date format.
class ReversedPeriodError : public ConversionError {
public:
    ReversedPeriodError(std::string from, std::string to)
        : ConversionError("the period starts on " + from + ", after it ends on " + to),
          from(std::move(from)),
          to(std::move(to)) {}
    std::string from, to;
};

// Builds the filter from the boxes. A day past the end of its month (31 February 2004) is
// corrected to the month's last day, and the corrected text is written back into
// boxes.from_day or boxes.to_day, also when a later box then fails. A box that is not a
// number or a month name, or a date that cannot exist (day 0, year 0), throws
// FilterBoxError naming the text and the box.
BuiltLogFilter create_log_filter(FilterBoxes& boxes);

// Throws ReversedPeriodError when the filter's period starts after it ends, which matches
// no connection: the window refuses such a period rather than show an empty grid.
void check_period_order(const BuiltLogFilter& built);

// "January" to "December" in any letter case to "01" to "12"; anything else throws
// ConversionError.
std::string month_to_num(const std::string& month);

}  // namespace quorvane
