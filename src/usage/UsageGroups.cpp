#include "usage/UsageGroups.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>
#include <utility>

#include "config/Conversions.h"
#include "usage/CostModel.h"
#include "usage/DatabaseView.h"

namespace quorvane {

namespace {

int64_t checked_sum(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) throw ConversionError("byte total out of range");
    return sum;
}

std::string lower_ascii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

std::vector<UsageGroup> group_usage(const std::vector<LogRow>& rows, GroupBy by,
                                    TariffBook& tariffs) {
    // The rows of each group in their view order, so that a group sums as the view does.
    std::map<std::pair<std::string, std::string>, std::vector<LogRow>> members;
    for (const auto& row : rows) {
        auto period = by == GroupBy::Day ? row.startdate : row.startdate.substr(0, 7);
        members[{std::move(period), lower_ascii(row.deventry)}].push_back(row);
    }
    std::vector<UsageGroup> groups;
    groups.reserve(members.size());
    for (const auto& [key, group_rows] : members) {
        UsageGroup group;
        group.period = key.first;
        group.device = group_rows.front().deventry;
        for (const auto& row : group_rows) {
            group.download = checked_sum(group.download, row.dload);
            group.upload = checked_sum(group.upload, row.uload);
        }
        group.total = checked_sum(group.download, group.upload);
        group.summary = summarize_rows(group_rows, tariffs);
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<UsageGroup> group_usage(const OrderedLogRows& rows, GroupBy by, TariffBook& tariffs) {
    // Each device number's name in lower case, the second half of a group's key.
    std::vector<std::string> lower(rows.device_count());
    for (uint32_t device = 0; device < lower.size(); ++device)
        lower[device] = lower_ascii(rows.device_name(device));

    // The rows of each group by their places, in view order. The rows come by start date, so
    // one period's rows follow each other: a key is made when the period changes, or when a
    // device first appears in it, never for every row.
    using Members = std::map<std::pair<std::string, std::string>, std::vector<uint32_t>>;
    Members members;
    std::string period;
    bool have_period = false;
    std::vector<std::vector<uint32_t>*> in_period(lower.size(), nullptr);
    for (size_t at = 0; at < rows.size(); ++at) {
        const std::string_view date = rows[at].startdate;
        const std::string_view row_period = by == GroupBy::Day ? date : date.substr(0, 7);
        if (!have_period || row_period != period) {
            period.assign(row_period);
            have_period = true;
            std::fill(in_period.begin(), in_period.end(), nullptr);
        }
        const uint32_t device = rows.usage(at).device;
        std::vector<uint32_t>*& group = in_period[device];
        if (!group) group = &members[{period, lower[device]}];
        group->push_back(static_cast<uint32_t>(at));
    }

    std::vector<const Tariff*> tariff_of(lower.size(), nullptr);
    std::vector<UsageGroup> groups;
    groups.reserve(members.size());
    for (const auto& [key, places] : members) {
        UsageGroup group;
        group.period = key.first;
        group.device = std::string(rows[places.front()].deventry);
        for (uint32_t at : places) {
            const OrderedLogRows::Usage row = rows.usage(at);
            group.download = checked_sum(group.download, row.dload);
            group.upload = checked_sum(group.upload, row.uload);
        }
        group.total = checked_sum(group.download, group.upload);
        for (uint32_t at : places) {
            const OrderedLogRows::Usage row = rows.usage(at);
            const Tariff*& tariff = tariff_of[row.device];
            if (!tariff) tariff = &tariffs.tariff_of(rows.device_name(row.device));
            add_connection(group.summary, row.duration,
                           connection_cost(*tariff, row.duration, row.dload, row.uload));
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace quorvane
