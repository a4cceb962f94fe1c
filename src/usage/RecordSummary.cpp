#include "usage/RecordSummary.h"

#include "config/Conversions.h"
#include "usage/DatabaseView.h"

namespace quorvane {

RecordSummary::RecordSummary(const UsageRecords& records, TariffBook& tariffs)
    : m_records(records), m_tariffs(tariffs), m_tariff_of(records.device_count(), nullptr) {}

ConnectionCost RecordSummary::add(uint32_t device, int32_t duration, int64_t dload, int64_t uload) {
    try {
        const Tariff*& tariff = m_tariff_of[device];
        if (!tariff) tariff = &m_tariffs.tariff_of(m_records.device_name(device));
        const ConnectionCost cost = connection_cost(*tariff, duration, dload, uload);
        add_connection(m_summary, duration, cost);
        return cost;
    } catch (const ConversionError& error) {
        throw DatabaseViewError(error.what(), OrderedLogRows(), m_records.device_name(device));
    }
}

}  // namespace quorvane
