#include "usage/PeriodUsage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "usage/CostModel.h"
#include "usage/DatabaseView.h"
#include "usage/RecordSummary.h"
#include "usage/UsageRecords.h"

namespace quorvane {

namespace {

std::string lower_ascii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// A group while it is summed. Its failures are kept rather than thrown, so that the first
// failing group in the groups' order fails the whole, with the message of its own first
// failure: a byte total before a cost, as when a group's bytes were summed before its costs.
struct Sums {
    uint32_t period = 0, lower = 0;
    uint32_t device = 0;  // the spelling of the first row
    int64_t download = 0, upload = 0;
    bool bytes_failed = false;
    std::string cost_failure;
    Tlog_summary summary;
};

constexpr size_t kAhead = 16;

std::string period_text(uint32_t period, GroupBy by) {
    if (by == GroupBy::Day) return UsageRecords::date_text(period);
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u", period / 100, period % 100);
    return text;
}

PeriodUsage sum_records(const UsageRecords& rows, GroupBy by, TariffBook& tariffs) {
    // Names equal without regard to ASCII letter case are one device of a group.
    std::vector<std::string> lower_names;
    std::vector<uint32_t> lower_of(rows.device_count());
    {
        std::map<std::string, uint32_t> numbers;
        for (uint32_t device = 0; device < lower_of.size(); ++device) {
            auto [at, added] = numbers.emplace(lower_ascii(rows.device_name(device)),
                                               static_cast<uint32_t>(lower_names.size()));
            if (added) lower_names.push_back(at->first);
            lower_of[device] = at->second;
        }
    }

    std::vector<Sums> groups;
    RecordSummary summary(rows, tariffs);
    std::vector<uint32_t> in_period(lower_names.size(), UINT32_MAX);  // a group's place
    uint32_t period = UINT32_MAX;
    size_t at = 0;
    for (uint32_t day = 0; day < rows.day_count(); ++day) {
        const uint32_t row_period =
            by == GroupBy::Day ? rows.day_date(day) : rows.day_date(day) / 100;
        if (row_period != period) {
            period = row_period;
            std::fill(in_period.begin(), in_period.end(), UINT32_MAX);
        }
        for (const size_t end = rows.day_end(day); at < end; ++at) {
            // The records are read out of the pass's order: asked for a few rows ahead, so
            // that memory is not waited for.
            if (at + kAhead < rows.size()) rows.prefetch(at + kAhead);
            const UsageRecords::Counts& row = rows.record(at);
            // The summary of all rows, in their order, as the database view makes it.
            const ConnectionCost cost = summary.add(row.device, row.duration, row.dload, row.uload);
            uint32_t& place = in_period[lower_of[row.device]];
            if (place == UINT32_MAX) {
                place = static_cast<uint32_t>(groups.size());
                Sums& added = groups.emplace_back();
                added.period = period;
                added.lower = lower_of[row.device];
                added.device = row.device;
            }
            Sums& group = groups[place];
            if (!group.bytes_failed) {
                group.bytes_failed =
                    __builtin_add_overflow(group.download, row.dload, &group.download) ||
                    __builtin_add_overflow(group.upload, row.uload, &group.upload);
            }
            if (group.cost_failure.empty()) {
                try {
                    add_connection(group.summary, row.duration, cost);
                } catch (const ConversionError& error) {
                    group.cost_failure = error.what();
                }
            }
        }
    }

    // By period, then device, as the texts compare.
    std::sort(groups.begin(), groups.end(), [&](const Sums& a, const Sums& b) {
        return a.period != b.period ? a.period < b.period
                                    : lower_names[a.lower] < lower_names[b.lower];
    });
    PeriodUsage usage;
    usage.summary = summary.summary();
    usage.groups.reserve(groups.size());
    for (const Sums& sums : groups) {
        UsageGroup group;
        group.period = period_text(sums.period, by);
        group.device = rows.device_name(sums.device);
        if (sums.bytes_failed || __builtin_add_overflow(sums.download, sums.upload, &group.total)) {
            throw ConversionError("byte total out of range");
        }
        if (!sums.cost_failure.empty()) throw ConversionError(sums.cost_failure);
        group.download = sums.download;
        group.upload = sums.upload;
        group.summary = sums.summary;
        usage.groups.push_back(std::move(group));
    }
    return usage;
}

}  // namespace

PeriodUsage read_period_usage(LogDatabase& log, const LogFilter& filter, GroupBy by,
                              TariffBook& tariffs) {
    UsageRecords records;
    try {
        log.scan_usage(filter, false, [&](const LogUsageRow& row) { records.add(row, false); });
    } catch (const NotPlainLog&) {
        DatabaseView view = read_database_view(log, filter, tariffs);
        PeriodUsage usage;
        usage.summary = view.summary;
        usage.groups = group_usage(view.rows, by, tariffs);
        return usage;
    }
    records.find_order();
    return sum_records(records, by, tariffs);
}

}  // namespace quorvane
