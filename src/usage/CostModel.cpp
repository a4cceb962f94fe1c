#include "usage/CostModel.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "config/Conversions.h"

namespace quorvane {

namespace {

// Seconds per time unit, by time_cost_sat; 0 for an index outside the list.
long double time_divisor(int unit) {
    switch (unit) {
        case 0:
            return 60;
        case 1:
            return 3600;
        default:
            return 0;
    }
}

// Bytes per traffic unit, by bw_cost_sat (a Mbyte is 1024000 bytes); 0 outside the list.
long double traffic_divisor(int unit) {
    switch (unit) {
        case 0:
            return 1;
        case 1:
            return 1024;
        case 2:
            return 1024000;
        default:
            return 0;
    }
}

// Out of line, so that the sums that do not fail take no frame for the message.
[[noreturn, gnu::noinline, gnu::cold]] void sum_past_range(const char* what) {
    throw ConversionError(std::string("the ") + what + " passes the range of 64 bits");
}

int64_t checked_sum(int64_t a, int64_t b, const char* what) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) [[unlikely]] {
        sum_past_range(what);
    }
    return sum;
}

}  // namespace

ConnectionCost connection_cost(const Tariff& tariff, int64_t seconds, int64_t dload,
                               int64_t uload) {
    ConnectionCost cost;
    bool charged_known = tariff.charged >= 0 && tariff.charged <= 2;
    cost.charged_bytes = tariff.charged == 1   ? dload
                         : tariff.charged == 2 ? uload
                                               : checked_sum(dload, uload, "charged traffic");

    // The quotient first (seconds or bytes in units, with their fraction), then the product
    // with the price in ten-thousandths. A part whose price is 0 costs 0 whatever the quotient,
    // which is then not worked out: most devices of a log have no price for one part or both.
    if (long double divisor = time_divisor(tariff.time_unit);
        divisor != 0 && tariff.time_price != 0) {
        cost.time_amount = (static_cast<long double>(seconds) / divisor) *
                           static_cast<long double>(tariff.time_price);
    }
    if (long double divisor = traffic_divisor(tariff.traffic_unit);
        divisor != 0 && charged_known && tariff.traffic_price != 0) {
        cost.traffic_amount = static_cast<long double>(tariff.traffic_price) *
                              (static_cast<long double>(cost.charged_bytes) / divisor);
    }
    return cost;
}

namespace {

// Any amount: negative, 2^63 and more (which throw), and where the fast way below gives up.
[[gnu::noinline]] int64_t round_half_even_slowly(long double amount) {
    // Beyond 2^63 the value has no 64-bit count of ten-thousandths.
    constexpr long double limit = 9223372036854775808.0L;
    long double rounded = std::floor(amount);
    long double rest = amount - rounded;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(rounded, 2.0L) != 0)) rounded += 1;
    if (!(rounded >= -limit && rounded < limit)) {
        char text[64];
        std::snprintf(text, sizeof text, "%.4Lf", amount / 10000);
        throw ConversionError(std::string("the amount ") + text +
                              " is out of the range of amounts");
    }
    return static_cast<int64_t>(rounded);
}

// Worked out by hand rather than by the floating-point rounding mode, which a library could
// have changed: below 2^64 the floor and the difference are exact. Small enough to be
// inlined into each running sum, which calls it for every connection.
inline int64_t round_to_even(long double amount) {
    constexpr long double limit = 9223372036854775808.0L;
    if (amount >= 0 && amount < limit) {
        // The common case, a running sum of costs, without the floor function: below 2^63
        // the cut-off whole part is exact too.
        const auto whole = static_cast<int64_t>(amount);
        const long double rest = amount - static_cast<long double>(whole);
        const bool up = rest > 0.5L || (rest == 0.5L && (whole & 1) != 0);
        if (!up) return whole;
        if (whole < std::numeric_limits<int64_t>::max()) return whole + 1;
    }
    return round_half_even_slowly(amount);
}

}  // namespace

int64_t round_half_even(long double amount) {
    return round_to_even(amount);
}

void add_connection(Tlog_summary& summary, int64_t seconds, const ConnectionCost& cost) {
    // The running sums are held exactly in extended precision (64-bit significand) before
    // they are rounded, so no row's amount is rounded on its own.
    // An amount of 0 leaves a sum as it is (every 64-bit sum is exact in extended precision
    // and rounds to itself), without the rounding.
    const auto plus = [](int64_t sum, long double amount) {
        return amount == 0 ? sum : round_to_even(static_cast<long double>(sum) + amount);
    };
    int64_t time_cost = plus(summary.total_time_cost, cost.time_amount);
    int64_t traffic_cost = plus(summary.total_traffic_cost, cost.traffic_amount);
    int64_t time = checked_sum(summary.total_time, seconds, "total time");
    int64_t traffic = checked_sum(summary.total_traffic, cost.charged_bytes, "total traffic");
    // All or nothing: a failure above leaves the summary as it was.
    summary.conn_count += 1;
    summary.total_time = time;
    summary.total_traffic = traffic;
    summary.total_time_cost = time_cost;
    summary.total_traffic_cost = traffic_cost;
}

}  // namespace quorvane
