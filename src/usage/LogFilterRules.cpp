#include "usage/LogFilterRules.h"

#include <array>
#include <cstdio>
#include <optional>

#include "config/Conversions.h"
#include "format/AsciiCase.h"

namespace quorvane {

namespace {

constexpr std::array<const char*, 12> month_names = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

bool is_unset(const std::string& box) {
    return box.empty() || box == "All";
}

// A box's text converted by parse; a failure names the box.
template <typename Parse>
int parsed(FilterBox box, const std::string& text, Parse parse) {
    try {
        return parse(text);
    } catch (const ConversionError& error) {
        throw FilterBoxError(box, text, error.what());
    }
}

int month_number(FilterBox box, const std::string& month) {
    return parsed(box, month,
                  [](const std::string& text) { return str_to_int(month_to_num(text)); });
}

int number(FilterBox box, const std::string& text) {
    return parsed(box, text, [](const std::string& t) { return str_to_int(t); });
}

bool is_leap_year(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int days_in_month(int month, int year) {
    constexpr std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29 : days[static_cast<size_t>(month - 1)];
}

// One end of the period as the boxes give it, once its year is known.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A day past the end of its month becomes the month's last day, and its box shows that.
void keep_within_month(Date& date, std::string& day_box) {
    int last = days_in_month(date.month, date.year);
    if (last < date.day) {
        date.day = last;
        day_box = std::to_string(last);
    }
}

// "3/07/2005": the month without a leading zero, a two-digit day, a four-digit year.
std::string caption_date(const Date& date) {
    char text[40];
    std::snprintf(text, sizeof text, "%d/%02d/%04d", date.month, date.day, date.year);
    return text;
}

// The boxes one end of the period is read from, for naming the one that failed.
struct EndBoxes {
    FilterBox year_box;
    const std::string& year;
    FilterBox day_box;
    const std::string& day;
};

// The ISO date the log stores; a day or year that cannot exist fails naming the date, and
// the year's box or else the day's.
std::string iso_date(const Date& date, const EndBoxes& boxes) {
    if (date.year < 1 || date.year > 9999) {
        throw FilterBoxError(boxes.year_box, boxes.year,
                             "'" + caption_date(date) + "' is not a valid date");
    }
    if (date.day < 1) {
        throw FilterBoxError(boxes.day_box, boxes.day,
                             "'" + caption_date(date) + "' is not a valid date");
    }
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace

std::string month_to_num(const std::string& month) {
    for (size_t i = 0; i < month_names.size(); ++i) {
        if (equals_ignoring_case(month, month_names[i])) {
            char text[3];
            std::snprintf(text, sizeof text, "%02zu", i + 1);
            return text;
        }
    }
    throw ConversionError("'" + month + "' is not a month name");
}

BuiltLogFilter create_log_filter(FilterBoxes& boxes) {
    BuiltLogFilter built;
    built.filter.device_pattern = is_unset(boxes.device) ? "%" : boxes.device;
    built.filter.user_pattern = "%";

    // From: a missing month is January and starts on the 1st, unless a day is chosen; the
    // day is worked out once the year is known, and kept within its month.
    const bool from_year_set = !is_unset(boxes.from_year);
    Date from;
    from.month =
        is_unset(boxes.from_month) ? 1 : month_number(FilterBox::from_month, boxes.from_month);
    if (from_year_set) {
        from.year = number(FilterBox::from_year, boxes.from_year);
        from.day = is_unset(boxes.from_day) ? 1 : number(FilterBox::from_day, boxes.from_day);
        keep_within_month(from, boxes.from_day);
    }

    // To: a missing month is December and ends on the 31st, whatever day is chosen; a
    // missing day is the last of the month.
    const bool to_year_set = !is_unset(boxes.to_year);
    const bool to_month_set = !is_unset(boxes.to_month);
    Date to;
    to.month = to_month_set ? month_number(FilterBox::to_month, boxes.to_month) : 12;
    if (to_year_set) {
        to.year = number(FilterBox::to_year, boxes.to_year);
        if (!to_month_set) {
            to.day = 31;
        } else if (is_unset(boxes.to_day)) {
            to.day = days_in_month(to.month, to.year);
        } else {
            to.day = number(FilterBox::to_day, boxes.to_day);
        }
        keep_within_month(to, boxes.to_day);
    }

    // Either year unset: every date.
    if (from_year_set && to_year_set) {
        // The day boxes as they stand now, after a correction.
        const std::string from_day = boxes.from_day, to_day = boxes.to_day;
        built.filter.dates = LogFilter::DateRange{
            iso_date(from, {FilterBox::from_year, boxes.from_year, FilterBox::from_day, from_day}),
            iso_date(to, {FilterBox::to_year, boxes.to_year, FilterBox::to_day, to_day})};
        built.caption = caption_date(from) + " to " + caption_date(to);
    } else {
        built.caption = "All record";
    }
    return built;
}

void check_period_order(const BuiltLogFilter& built) {
    const auto& dates = built.filter.dates;
    // ISO dates of four-digit years order as their texts do.
    if (dates && dates->from > dates->to) throw ReversedPeriodError(dates->from, dates->to);
}

}  // namespace quorvane
