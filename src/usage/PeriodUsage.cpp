#include "usage/PeriodUsage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "config/Conversions.h"
#include "logdb/GrowingArray.h"
#include "logdb/LogDatabase.h"
#include "usage/CostModel.h"
#include "usage/DatabaseView.h"

namespace quorvane {

namespace {

// Thrown from the pass when a date or time is not in the plain form.
struct NotPlain {};

// The decimal digits at text[at, at + count), or -1 when one is not a digit.
int digits(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "2024-01-05" as 20240105, "13:45" as 1345: numbers that compare as the texts do.
uint32_t plain_date(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') throw NotPlain{};
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0) throw NotPlain{};
    return static_cast<uint32_t>(year * 10000 + month * 100 + day);
}

uint32_t plain_time(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') throw NotPlain{};
    const int hour = digits(text, 0, 2), minute = digits(text, 3, 2);
    if (hour < 0 || minute < 0) throw NotPlain{};
    return static_cast<uint32_t>(hour * 100 + minute);
}

// One row as the sums need it; the device is a number into the spellings met.
struct Record {
    uint32_t date, time, device;
    int32_t duration;
    int64_t dload, uload, rowid;
};

// The rows of the pass, and the counts of each date: per year, one slot per MMDD.
class Records {
public:
    void add(const LogUsageRow& row) {
        const uint32_t date = plain_date(row.startdate);
        auto& year = m_years[date / 10000];
        if (!year) year = std::make_unique<uint32_t[]>(10000);
        ++year[date % 10000];
        m_records.push_back(Record{date, plain_time(row.starttime), device_of(row.deventry),
                                   row.duration, row.dload, row.uload, row.rowid});
    }

    // The records in the database view's order: start date ascending, within a day start
    // time descending, then the row written last first.
    std::vector<Record> ordered() {
        std::vector<size_t> day_end;
        size_t start = 0;
        for (auto& [number, year] : m_years) {
            for (uint32_t mmdd = 0; mmdd < 10000; ++mmdd) {
                const uint32_t count = year[mmdd];
                if (count == 0) continue;
                year[mmdd] = static_cast<uint32_t>(start);  // from now on the next free place
                start += count;
                day_end.push_back(start);
            }
        }
        std::vector<Record> ordered(m_records.size());
        for (size_t at = 0; at < m_records.size(); ++at) {
            const Record& record = m_records[at];
            ordered[m_years[record.date / 10000][record.date % 10000]++] = record;
        }
        const auto later_first = [](const Record& a, const Record& b) {
            return a.time != b.time ? a.time > b.time : a.rowid > b.rowid;
        };
        size_t begin = 0;
        for (size_t end : day_end) {
            std::sort(ordered.begin() + static_cast<ptrdiff_t>(begin),
                      ordered.begin() + static_cast<ptrdiff_t>(end), later_first);
            begin = end;
        }
        return ordered;
    }

    const std::deque<std::string>& devices() const { return m_devices; }

private:
    uint32_t device_of(std::string_view name) {
        if (m_last < m_devices.size() && m_devices[m_last] == name) return m_last;
        auto found = m_device_numbers.find(name);
        if (found == m_device_numbers.end()) {
            m_devices.emplace_back(name);
            found = m_device_numbers
                        .emplace(m_devices.back(), static_cast<uint32_t>(m_devices.size() - 1))
                        .first;
        }
        return m_last = found->second;
    }

    GrowingArray<Record> m_records;  // grown in place, without a copy of the records
    std::map<uint32_t, std::unique_ptr<uint32_t[]>> m_years;
    std::deque<std::string> m_devices;  // spellings by number; a deque keeps them in place
    std::unordered_map<std::string_view, uint32_t> m_device_numbers;
    uint32_t m_last = UINT32_MAX;
};

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

std::string period_text(uint32_t period, GroupBy by) {
    char text[16];
    if (by == GroupBy::Day) {
        std::snprintf(text, sizeof text, "%04u-%02u-%02u", period / 10000, period / 100 % 100,
                      period % 100);
    } else {
        std::snprintf(text, sizeof text, "%04u-%02u", period / 100, period % 100);
    }
    return text;
}

PeriodUsage sum_records(const std::vector<Record>& rows, const std::deque<std::string>& devices,
                        GroupBy by, TariffBook& tariffs) {
    // Names equal without regard to ASCII letter case are one device of a group.
    std::vector<std::string> lower_names;
    std::vector<uint32_t> lower_of(devices.size());
    {
        std::map<std::string, uint32_t> numbers;
        for (size_t device = 0; device < devices.size(); ++device) {
            auto [at, added] = numbers.emplace(lower_ascii(devices[device]),
                                               static_cast<uint32_t>(lower_names.size()));
            if (added) lower_names.push_back(at->first);
            lower_of[device] = at->second;
        }
    }

    PeriodUsage usage;
    std::vector<Sums> groups;
    std::vector<const Tariff*> tariff_of(devices.size(), nullptr);
    std::vector<uint32_t> in_period(lower_names.size(), UINT32_MAX);  // a group's place
    uint32_t period = UINT32_MAX;
    for (const Record& row : rows) {
        const uint32_t row_period = by == GroupBy::Day ? row.date : row.date / 100;
        if (row_period != period) {
            period = row_period;
            std::fill(in_period.begin(), in_period.end(), UINT32_MAX);
        }
        // The summary of all rows, in their order, as the database view makes it.
        ConnectionCost cost;
        try {
            // A device's tariff is looked up at its first row.
            const Tariff*& tariff = tariff_of[row.device];
            if (!tariff) tariff = &tariffs.tariff_of(devices[row.device]);
            cost = connection_cost(*tariff, row.duration, row.dload, row.uload);
            add_connection(usage.summary, row.duration, cost);
        } catch (const ConversionError& error) {
            throw DatabaseViewError(error.what(), OrderedLogRows(), devices[row.device]);
        }
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

    // By period, then device, as the texts compare.
    std::sort(groups.begin(), groups.end(), [&](const Sums& a, const Sums& b) {
        return a.period != b.period ? a.period < b.period
                                    : lower_names[a.lower] < lower_names[b.lower];
    });
    usage.groups.reserve(groups.size());
    for (const Sums& sums : groups) {
        UsageGroup group;
        group.period = period_text(sums.period, by);
        group.device = devices[sums.device];
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
    Records records;
    try {
        log.scan_usage(filter, [&](const LogUsageRow& row) { records.add(row); });
    } catch (const NotPlain&) {
        DatabaseView view = read_database_view(log, filter, tariffs);
        PeriodUsage usage;
        usage.summary = view.summary;
        usage.groups = group_usage(view.rows, by, tariffs);
        return usage;
    }
    return sum_records(records.ordered(), records.devices(), by, tariffs);
}

}  // namespace quorvane
