#include "usage/UsageGroups.h"

#include <algorithm>
#include <map>
#include <utility>

#include "config/Conversions.h"
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

}  // namespace quorvane
