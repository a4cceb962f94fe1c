#pragma once

#include <string>

#include "format/LocalTime.h"

namespace quorvane {

// A moment written with a date/time pattern (the letters of RegionalSettings); any other
// character stands for itself, and text between single quotes is copied as it is.
std::string format_local_time(const LocalTime& time, const std::string& pattern);

// The ISO date "2024-01-05" and the time "13:45" the log database stores.
std::string iso_date(const LocalTime& time);
std::string hh_mm(const LocalTime& time);

}  // namespace quorvane
