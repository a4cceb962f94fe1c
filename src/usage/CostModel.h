#pragma once

#include <cstdint>

#include "usage/Tariff.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// The cost of one connection, unrounded, in ten-thousandths (extended precision).
struct ConnectionCost {
    int64_t charged_bytes = 0;  // after the charged direction; down + up for a bad index
    long double time_amount = 0;
    long double traffic_amount = 0;
};

// (seconds / time divisor) * time price and price * (charged / traffic divisor). An index
// outside its list gives that part no cost: a bad time unit no time cost, a bad traffic unit
// or charged direction no traffic cost. Throws ConversionError when down + up pass 64 bits.
ConnectionCost connection_cost(const Tariff& tariff, int64_t seconds, int64_t dload, int64_t uload);

// The ten-thousandth nearest to the amount, ties to the even one. An amount past the range
// of 64-bit ten-thousandths throws ConversionError.
int64_t round_half_even(long double amount);

// Adds one connection to a running summary: count, time and charged bytes summed, each
// cost sum rounded to the ten-thousandth after the addition. A sum past its range throws
// ConversionError and leaves the summary as it was.
void add_connection(Tlog_summary& summary, int64_t seconds, const ConnectionCost& cost);

}  // namespace quorvane
