#pragma once

#include <string>

#include "format/RegionalSettings.h"
#include "usage/UsageBars.h"

namespace quorvane {

// The texts of the usage chart, with the regional formats: a bar's axis label ("13:00",
// "12/30" or "Dec 2026"), its hover text (its date, download, upload, total, time online
// and cost) and the chart's title.
std::string bar_label(const UsageBar& bar, BarSpan span, const RegionalSettings& regional);
std::string bar_hover_text(const UsageBar& bar, BarSpan span, const RegionalSettings& regional);
// "Usage of LAN, 12/1/2026 to 12/31/2026"; the device box's "All" (or nothing) is every device.
std::string chart_title(const std::string& device, const std::string& period);

// The regional short date without its year: "M/d/yyyy" gives "M/d", "dd.MM.yyyy" "dd.MM",
// "yyyy-MM-dd" "MM-dd".
std::string day_month_pattern(const std::string& short_date_format);
// The regional short time without its seconds: "HH:mm:ss" gives "HH:mm", "h:mm:ss AP" "h:mm AP".
std::string hour_pattern(const std::string& short_time_format);

}  // namespace quorvane
