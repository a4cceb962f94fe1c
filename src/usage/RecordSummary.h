#pragma once

#include <vector>

#include "usage/CostModel.h"
#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"
#include "usage/UsageRecords.h"

namespace quorvane {

// The database view's summary over compact records given in the view's order: each device's
// tariff looked up at its first row, each row's cost added as the view adds it.
class RecordSummary {
public:
    RecordSummary(const UsageRecords& records, TariffBook& tariffs);

    // Adds the next row and gives its cost, for other sums of the same row. A tariff that
    // does not convert, or a sum past its range, throws DatabaseViewError naming the row's
    // device, as the view does (without its rows).
    ConnectionCost add(uint32_t device, int32_t duration, int64_t dload, int64_t uload);
    const Tlog_summary& summary() const { return m_summary; }

private:
    const UsageRecords& m_records;
    TariffBook& m_tariffs;
    std::vector<const Tariff*> m_tariff_of;
    Tlog_summary m_summary;
};

}  // namespace quorvane
