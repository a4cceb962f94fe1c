#pragma once

#include <string>
#include <vector>

#include "logdb/LogRow.h"
#include "logdb/OrderedLogRows.h"
#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// The connections of one device on one day ("2026-12-10") or in one month ("2026-12").
struct UsageGroup {
    std::string period;
    std::string device;  // the spelling of the group's first row
    int64_t download = 0;
    int64_t upload = 0;
    int64_t total = 0;     // download + upload
    Tlog_summary summary;  // count, time and costs by the cost model
};

enum class GroupBy { Day, Month };

// Groups rows by period and device (names equal without regard to ASCII letter case are one
// device, as in the tariffs and the log), each group summed with the cost model like the
// database view's summary; ordered by period, then device. Throws ConversionError when a
// tariff does not convert or a sum passes its range.
std::vector<UsageGroup> group_usage(const std::vector<LogRow>& rows, GroupBy by,
                                    TariffBook& tariffs);
// The same over the compact rows of a refresh: no row is copied and no text is made for a
// row; the groups, their sums and the order of the sums are those of the rows' copies.
std::vector<UsageGroup> group_usage(const OrderedLogRows& rows, GroupBy by, TariffBook& tariffs);

}  // namespace quorvane
