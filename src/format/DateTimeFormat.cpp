#include "format/DateTimeFormat.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace quorvane {

namespace {

constexpr std::array<const char*, 12> month_names = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> day_names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

// 0 = Sunday, for a date of the proleptic Gregorian calendar.
int day_of_week(int year, int month, int day) {
    static constexpr int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    int value =
        year + year / 4 - year / 100 + year / 400 + offsets[((month - 1) % 12 + 12) % 12] + day;
    return ((value % 7) + 7) % 7;
}

std::string number(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string name(const char* full, int length) {
    std::string text = full;
    return length == 3 ? text.substr(0, 3) : text;
}

size_t repeat_count(std::string_view pattern, size_t at) {
    size_t end = at;
    while (end < pattern.size() && pattern[end] == pattern[at]) ++end;
    return end - at;
}

// Text in single quotes, read from the opening quote at `at`, which moves past the closing
// one. Two quotes in a row stand for one quote, inside quoted text or outside it.
std::string quoted_text(std::string_view pattern, size_t& at) {
    ++at;
    if (at < pattern.size() && pattern[at] == '\'') {
        ++at;
        return "'";
    }
    std::string text;
    while (at < pattern.size()) {
        if (pattern[at] != '\'') {
            text += pattern[at++];
        } else if (at + 1 < pattern.size() && pattern[at + 1] == '\'') {
            text += '\'';
            at += 2;
        } else {
            break;
        }
    }
    if (at < pattern.size()) ++at;
    return text;
}

// The hour letters h and hh count to 12 only when the pattern also shows AM/PM.
bool shows_am_pm(std::string_view pattern) {
    size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] == '\'') {
            quoted_text(pattern, i);
            continue;
        }
        if (pattern[i] == 'a' || pattern[i] == 'A') return true;
        ++i;
    }
    return false;
}

}  // namespace

std::string format_local_time(const LocalTime& time, const std::string& pattern) {
    const bool twelve_hour = shows_am_pm(pattern);
    std::string text;
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == '\'') {
            text += quoted_text(pattern, i);
            continue;
        }
        size_t n = repeat_count(pattern, i);
        switch (c) {
            case 'd':
                n = std::min<size_t>(n, 4);
                if (n <= 2) {
                    text += number(time.day, static_cast<int>(n));
                } else {
                    int weekday = day_of_week(time.year, time.month, time.day);
                    text += name(day_names[weekday], static_cast<int>(n));
                }
                break;
            case 'M':
                n = std::min<size_t>(n, 4);
                if (n <= 2) {
                    text += number(time.month, static_cast<int>(n));
                } else if (time.month >= 1 && time.month <= 12) {
                    text += name(month_names[time.month - 1], static_cast<int>(n));
                }
                break;
            case 'y':
                if (n >= 4) {
                    n = 4;
                    text += number(time.year, 4);
                } else if (n >= 2) {
                    n = 2;
                    text += number(((time.year % 100) + 100) % 100, 2);
                } else {
                    text += c;
                }
                break;
            case 'h':
            case 'H': {
                n = std::min<size_t>(n, 2);
                int hour = time.hour;
                if (c == 'h' && twelve_hour) hour = hour % 12 == 0 ? 12 : hour % 12;
                text += number(hour, static_cast<int>(n));
                break;
            }
            case 'm':
                n = std::min<size_t>(n, 2);
                text += number(time.minute, static_cast<int>(n));
                break;
            case 's':
                n = std::min<size_t>(n, 2);
                text += number(time.second, static_cast<int>(n));
                break;
            case 'z':
                // No milliseconds are kept: the moment is on a whole second.
                n = n >= 3 ? 3 : 1;
                text += n == 3 ? "000" : "0";
                break;
            case 'a':
            case 'A': {
                bool pm = time.hour >= 12;
                bool upper = c == 'A';
                n = 1;
                if (i + 1 < pattern.size() && (pattern[i + 1] == 'p' || pattern[i + 1] == 'P')) {
                    n = 2;
                }
                text += upper ? (pm ? "PM" : "AM") : (pm ? "pm" : "am");
                break;
            }
            default:
                n = 1;
                text += c;
        }
        i += n;
    }
    return text;
}

std::string iso_date(const LocalTime& time) {
    return number(time.year, 4) + "-" + number(time.month, 2) + "-" + number(time.day, 2);
}

std::string hh_mm(const LocalTime& time) {
    return number(time.hour, 2) + ":" + number(time.minute, 2);
}

}  // namespace quorvane
