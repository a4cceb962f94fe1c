#pragma once

#include <cstdint>
#include <vector>

#include "format/LocalTime.h"
#include "logdb/LogFilter.h"
#include "logdb/OrderedLogRows.h"
#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// How long one bar of the usage chart is.
enum class BarSpan { Hour, Day, Month };

// The connections that started within one bar's span.
struct UsageBar {
    LocalTime start;  // the span's first moment: hour, day or month
    int32_t count = 0;
    int64_t download = 0;
    int64_t upload = 0;
    int64_t seconds = 0;
    int64_t charged = 0;       // charged bytes, by each device's charged direction
    int64_t time_cost = 0;     // ten-thousandths
    int64_t traffic_cost = 0;  // ten-thousandths

    int64_t total() const { return download + upload; }
    int64_t cost() const { return time_cost + traffic_cost; }
    bool operator==(const UsageBar&) const = default;
};

struct UsageBars {
    BarSpan span = BarSpan::Day;
    std::vector<UsageBar> bars;  // every span of the period, in time order, empty ones too
    Tlog_summary summary;        // the database view's summary of the same rows
};

// The bars a period is drawn with: hours for a single day, months for a period longer than
// 62 days or without dates ("All record"), days otherwise.
BarSpan bar_span_of(const LogFilter& filter);

// The rows of the database view (in its order) as bars over the filter's period; without
// dates the period runs from the first row's month to the last row's. A connection counts
// in the bar of its start, as the summary counts it. Each row is priced by the cost model
// with its device's tariff, in the view's order, and each bar gets what its rows add to the
// summary's rounded running sums: the bars' costs add up exactly to the summary's. Throws
// ConversionError when a tariff does not convert, a sum passes its range or a row's start
// is no date and time.
UsageBars usage_bars(const OrderedLogRows& rows, const LogFilter& filter, TariffBook& tariffs);

}  // namespace quorvane
