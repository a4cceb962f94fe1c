#include "usage/UsageBarTexts.h"

#include "format/DateTimeFormat.h"
#include "format/QuantityFormat.h"
#include "usage/AmountFormat.h"

namespace quorvane {

namespace {

const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

std::string month_name(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "?";
}

bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string day_month_pattern(const std::string& format) {
    const size_t first = format.find('y');
    if (first == std::string::npos) return format;
    size_t last = format.find_last_of('y') + 1;
    size_t begin = first;
    if (last >= format.size()) {
        // The year ends the pattern: the separator before it goes with it.
        while (begin > 0 && !is_letter(format[begin - 1])) --begin;
    } else {
        // Otherwise the separator after it.
        while (last < format.size() && !is_letter(format[last])) ++last;
    }
    return format.substr(0, begin) + format.substr(last);
}

std::string hour_pattern(const std::string& format) {
    const size_t first = format.find('s');
    if (first == std::string::npos) return format;
    size_t begin = first;
    while (begin > 0 && !is_letter(format[begin - 1])) --begin;
    return format.substr(0, begin) + format.substr(format.find_last_of('s') + 1);
}

std::string bar_label(const UsageBar& bar, BarSpan span, const RegionalSettings& regional) {
    switch (span) {
        case BarSpan::Hour:
            return format_local_time(bar.start, hour_pattern(regional.short_time_format));
        case BarSpan::Day:
            return format_local_time(bar.start, day_month_pattern(regional.short_date_format));
        case BarSpan::Month:
            break;
    }
    return month_name(bar.start.month).substr(0, 3) + " " + std::to_string(bar.start.year);
}

std::string bar_hover_text(const UsageBar& bar, BarSpan span, const RegionalSettings& regional) {
    std::string when;
    switch (span) {
        case BarSpan::Hour:
            when = format_local_time(bar.start, regional.short_date_format) + " " +
                   format_local_time(bar.start, hour_pattern(regional.short_time_format));
            break;
        case BarSpan::Day:
            when = format_local_time(bar.start, regional.short_date_format);
            break;
        case BarSpan::Month:
            when = month_name(bar.start.month) + " " + std::to_string(bar.start.year);
            break;
    }
    return when + "\nDownload: " + bytes_to_str(bar.download, regional) +
           "\nUpload: " + bytes_to_str(bar.upload, regional) +
           "\nTotal: " + bytes_to_str(bar.total(), regional) +
           "\nTime online: " + secs_to_str(bar.seconds) +
           "\nCost: " + amount_to_str(bar.cost(), regional);
}

std::string chart_title(const std::string& device, const std::string& period) {
    const bool every = device.empty() || device == "All";
    return "Usage of " + (every ? std::string("all devices") : device) + ", " + period;
}

}  // namespace quorvane
