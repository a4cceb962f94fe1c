#include "usage/LogRowTexts.h"

#include "format/DateTimeFormat.h"
#include "format/QuantityFormat.h"

namespace quorvane {

namespace {

// The number of the digits text[at, at + length), or -1 when any of them is not a digit (a
// sign included: "-0" is no two-digit number).
int digits_at(std::string_view text, size_t at, size_t length) {
    int value = 0;
    for (size_t i = at; i < at + length; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int days_in_month(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

}  // namespace

std::string shown_date(std::string_view iso_date, const RegionalSettings& regional) {
    if (iso_date.size() != 10 || iso_date[4] != '-' || iso_date[7] != '-')
        return std::string(iso_date);
    LocalTime date;
    date.year = digits_at(iso_date, 0, 4);
    date.month = digits_at(iso_date, 5, 2);
    date.day = digits_at(iso_date, 8, 2);
    // Only a date that exists is shown in the regional format; anything else as stored, so a
    // foreign or damaged row never reads as another, valid-looking date.
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > days_in_month(date.year, date.month))
        return std::string(iso_date);
    return format_local_time(date, regional.short_date_format);
}

std::string shown_time(std::string_view hh_mm, const RegionalSettings& regional) {
    if (hh_mm.size() != 5 || hh_mm[2] != ':') return std::string(hh_mm);
    LocalTime time;
    time.hour = digits_at(hh_mm, 0, 2);
    time.minute = digits_at(hh_mm, 3, 2);
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59)
        return std::string(hh_mm);
    return format_local_time(time, regional.short_time_format);
}

std::string log_row_text(const LogRowRef& row, int column, const RegionalSettings& regional) {
    switch (column) {
        case 0:
            return shown_date(row.startdate, regional);
        case 1:
            return shown_time(row.starttime, regional);
        case kDeviceColumn:
            return std::string(row.deventry);
        case 3:
            return secs_to_str(row.duration);
        case 4:
            return bytes_to_str(row.dload, regional);
        case 5:
            return bytes_to_str(row.uload, regional);
        case 6:
            // Summed without overflow: a foreign or damaged log may hold any two counts.
            return bytes_sum_to_str(row.dload, row.uload, regional);
        default:
            return {};
    }
}

GridRowTexts log_row_texts(const LogRowRef& row, const RegionalSettings& regional) {
    GridRowTexts texts;
    for (int column = 0; column < static_cast<int>(texts.size()); ++column)
        texts[column] = log_row_text(row, column, regional);
    return texts;
}

}  // namespace quorvane
