#include "usage/RecordSummary.h"

#include "config/Conversions.h"
#include "usage/DatabaseView.h"

namespace quorvane {

RecordSummary::RecordSummary(const UsageRecords& records, TariffBook& tariffs)
    : m_records(records), m_tariffs(tariffs), m_tariff_of(records.device_count(), nullptr) {}

ConnectionCost RecordSummary::add(const UsageRecords::Record& row) {
    try {
        const Tariff*& tariff = m_tariff_of[row.device];
        if (!tariff) tariff = &m_tariffs.tariff_of(m_records.device_name(row.device));
        const ConnectionCost cost = connection_cost(*tariff, row.duration, row.dload, row.uload);
        add_connection(m_summary, row.duration, cost);
        return cost;
    } catch (const ConversionError& error) {
        throw DatabaseViewError(error.what(), OrderedLogRows(), m_records.device_name(row.device));
    }
}

}  // namespace quorvane
