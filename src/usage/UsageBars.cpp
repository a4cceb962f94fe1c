#include "usage/UsageBars.h"

#include <chrono>
#include <string>
#include <string_view>

#include "config/Conversions.h"
#include "usage/CostModel.h"

namespace quorvane {

namespace {

using namespace std::chrono;

// Bars of days up to this many days; months beyond.
constexpr int kMostDayBars = 62;

bool digits(std::string_view text, size_t at, size_t count, int& value) {
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

// "2026-12-10" as a calendar date; nothing when it is none.
bool parse_date(std::string_view text, year_month_day& date) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(text, 0, 4, y) ||
        !digits(text, 5, 2, m) || !digits(text, 8, 2, d)) {
        return false;
    }
    date = year_month_day{year(y), month(static_cast<unsigned>(m)), day(static_cast<unsigned>(d))};
    return date.ok();
}

year_month_day checked_date(std::string_view text) {
    year_month_day date;
    if (!parse_date(text, date)) {
        throw ConversionError("'" + std::string(text) + "' is not a valid date");
    }
    return date;
}

int months_of(const year_month_day& date) {
    return static_cast<int>(date.year()) * 12 + static_cast<int>(unsigned(date.month())) - 1;
}

LocalTime local_of(const year_month_day& date, int hour = 0) {
    return LocalTime{static_cast<int>(date.year()),
                     static_cast<int>(unsigned(date.month())),
                     static_cast<int>(unsigned(date.day())),
                     hour,
                     0,
                     0};
}

int64_t checked_add(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw ConversionError("byte total out of range");
    return sum;
}

// Where each row's bar is: the first span of the period and the number of spans.
struct Period {
    year_month_day first{};
    int count = 0;
};

Period period_of(BarSpan span, const LogFilter& filter, const OrderedLogRows& rows) {
    Period period;
    year_month_day from{}, to{};
    if (filter.dates) {
        from = checked_date(filter.dates->from);
        to = checked_date(filter.dates->to);
    } else {
        if (rows.empty()) return period;
        // The view's order is by start date: the first row starts first, the last last.
        from = checked_date(rows[0].startdate);
        to = checked_date(rows[rows.size() - 1].startdate);
    }
    switch (span) {
        case BarSpan::Hour:
            period.first = from;
            period.count = 24;
            break;
        case BarSpan::Day:
            period.first = from;
            period.count = static_cast<int>((sys_days(to) - sys_days(from)).count()) + 1;
            break;
        case BarSpan::Month:
            period.first = from.year() / from.month() / 1;
            period.count = months_of(to) - months_of(from) + 1;
            break;
    }
    if (period.count < 0) period.count = 0;
    return period;
}

LocalTime bar_start(BarSpan span, const year_month_day& first, int index) {
    switch (span) {
        case BarSpan::Hour:
            return local_of(first, index);
        case BarSpan::Day:
            return local_of(year_month_day(sys_days(first) + days(index)));
        case BarSpan::Month:
            break;
    }
    const year_month month = first.year() / first.month() + months(index);
    return local_of(month / 1);
}

}  // namespace

BarSpan bar_span_of(const LogFilter& filter) {
    if (!filter.dates) return BarSpan::Month;
    year_month_day from, to;
    if (!parse_date(filter.dates->from, from) || !parse_date(filter.dates->to, to)) {
        return BarSpan::Day;
    }
    const auto length = (sys_days(to) - sys_days(from)).count() + 1;
    if (length <= 1) return BarSpan::Hour;
    return length > kMostDayBars ? BarSpan::Month : BarSpan::Day;
}

UsageBars usage_bars(const OrderedLogRows& rows, const LogFilter& filter, TariffBook& tariffs) {
    UsageBars result;
    result.span = bar_span_of(filter);
    const Period period = period_of(result.span, filter, rows);
    result.bars.resize(static_cast<size_t>(period.count));
    for (int i = 0; i < period.count; ++i) {
        result.bars[static_cast<size_t>(i)].start = bar_start(result.span, period.first, i);
    }
    const sys_days first_day = sys_days(period.first);
    const int first_month = months_of(period.first);

    // The dates of a log are few texts, each held once: a row whose date is the text of the
    // row before reuses its parse.
    const char* last_date = nullptr;
    year_month_day date{};
    std::vector<const Tariff*> by_device(rows.device_count(), nullptr);
    Tlog_summary& sum = result.summary;
    for (size_t at = 0; at < rows.size(); ++at) {
        const LogRowRef row = rows[at];
        if (row.startdate.data() != last_date) {
            date = checked_date(row.startdate);
            last_date = row.startdate.data();
        }
        long index = 0;
        switch (result.span) {
            case BarSpan::Hour: {
                int hour = 0;
                if (row.starttime.size() < 2 || !digits(row.starttime, 0, 2, hour) || hour > 23 ||
                    sys_days(date) != first_day) {
                    throw ConversionError("'" + std::string(row.startdate) + " " +
                                          std::string(row.starttime) +
                                          "' is not a start within the chart's day");
                }
                index = hour;
                break;
            }
            case BarSpan::Day:
                index = (sys_days(date) - first_day).count();
                break;
            case BarSpan::Month:
                index = months_of(date) - first_month;
                break;
        }
        if (index < 0 || index >= period.count) {
            throw ConversionError("'" + std::string(row.startdate) +
                                  "' is not a date within the chart's period");
        }
        const OrderedLogRows::Usage usage = rows.usage(at);
        const Tariff*& tariff = by_device[usage.device];
        if (!tariff) tariff = &tariffs.tariff_of(rows.device_name(usage.device));
        const ConnectionCost cost =
            connection_cost(*tariff, usage.duration, usage.dload, usage.uload);
        // The bar gets what the row adds to the rounded running sums, so the bars add up to
        // the summary to the ten-thousandth.
        const int64_t time_before = sum.total_time_cost;
        const int64_t traffic_before = sum.total_traffic_cost;
        add_connection(sum, usage.duration, cost);
        UsageBar& bar = result.bars[static_cast<size_t>(index)];
        bar.count += 1;
        bar.download = checked_add(bar.download, usage.dload);
        bar.upload = checked_add(bar.upload, usage.uload);
        bar.seconds = checked_add(bar.seconds, usage.duration);
        bar.charged = checked_add(bar.charged, cost.charged_bytes);
        bar.time_cost += sum.total_time_cost - time_before;
        bar.traffic_cost += sum.total_traffic_cost - traffic_before;
    }
    return result;
}

}  // namespace quorvane
