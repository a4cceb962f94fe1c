#include "usage/SummaryTexts.h"

#include "config/Conversions.h"
#include "format/QuantityFormat.h"
#include "usage/AmountFormat.h"

namespace quorvane {

SummaryTexts summary_texts(const std::string& count, int64_t seconds, int64_t charged_bytes,
                           int64_t time_cost, int64_t traffic_cost,
                           const RegionalSettings& regional) {
    return SummaryTexts{
        count, secs_to_str(seconds) + " / " + amount_to_str(time_cost, regional),
        bytes_to_str(charged_bytes, regional) + " / " + amount_to_str(traffic_cost, regional),
        amount_to_str(total_cost(time_cost, traffic_cost), regional)};
}

int64_t total_cost(int64_t time_cost, int64_t traffic_cost) {
    int64_t total = 0;
    if (__builtin_add_overflow(time_cost, traffic_cost, &total)) {
        throw ConversionError("the total cost is out of the range of amounts");
    }
    return total;
}

int64_t total_cost(const Tlog_summary& summary) {
    return total_cost(summary.total_time_cost, summary.total_traffic_cost);
}

SummaryTexts summary_texts(const Tlog_summary& summary, const RegionalSettings& regional) {
    return summary_texts(std::to_string(summary.conn_count), summary.total_time,
                         summary.total_traffic, summary.total_time_cost, summary.total_traffic_cost,
                         regional);
}

}  // namespace quorvane
