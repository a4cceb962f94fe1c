#pragma once

#include "format/RegionalSettings.h"

namespace quorvane {

// The decimal and thousands separators of the C library's current locale (set it first
// with setlocale(LC_ALL, "")); the date and time formats keep their defaults, since the
// report writes dates as YYYY-MM-DD and times as HH:MM.
RegionalSettings regional_settings_of_c_locale();

}  // namespace quorvane
