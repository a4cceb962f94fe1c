#include "usage/CostModel.h"

#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "config/Conversions.h"

namespace quorvane::test {
namespace {

// Prices are ten-thousandths: 1.5 is 15000.
Tariff time_tariff(int unit, int64_t price) {
    Tariff t;
    t.time_unit = unit;
    t.time_price = price;
    return t;
}

Tariff traffic_tariff(int charged, int unit, int64_t price) {
    Tariff t;
    t.charged = charged;
    t.traffic_unit = unit;
    t.traffic_price = price;
    return t;
}

TEST(CostModel, TimeIsChargedPerMinuteOrPerHour) {
    EXPECT_EQ(connection_cost(time_tariff(0, 15000), 90, 0, 0).time_amount, 22500);
    EXPECT_EQ(connection_cost(time_tariff(1, 20000), 90, 0, 0).time_amount, 500);
}

// A Mbyte is 1024000 bytes: with 1048576 the cost would be 0.98.
TEST(CostModel, TrafficPerMbyteUsesTheDivisorOf1024000) {
    auto cost = connection_cost(traffic_tariff(0, 2, 5000), 0, 1536000, 512000);
    EXPECT_EQ(cost.charged_bytes, 2048000);
    EXPECT_EQ(round_half_even(cost.traffic_amount), 10000);
}

struct ChargedCase {
    int charged;
    int unit;
    int64_t price;
    int64_t charged_bytes;
    long double traffic_amount;
};

class CostModelCharged : public testing::TestWithParam<ChargedCase> {};

// 1000 bytes down and 5000 up.
TEST_P(CostModelCharged, ChargesTheChosenDirectionInTheChosenUnit) {
    const auto& c = GetParam();
    auto cost = connection_cost(traffic_tariff(c.charged, c.unit, c.price), 60, 1000, 5000);
    EXPECT_EQ(cost.charged_bytes, c.charged_bytes);
    EXPECT_EQ(cost.traffic_amount, c.traffic_amount);
    EXPECT_EQ(cost.time_amount, 0);
}

INSTANTIATE_TEST_SUITE_P(Directions, CostModelCharged,
                         testing::Values(ChargedCase{0, 0, 100, 6000, 600000},
                                         ChargedCase{1, 0, 100, 1000, 100000},
                                         ChargedCase{2, 0, 100, 5000, 500000},
                                         // 6000 / 1024 KByte at 1.0 per KByte.
                                         ChargedCase{0, 1, 10000, 6000, 10000 * (6000.0L / 1024)}));

struct BadIndexCase {
    const char* name;
    Tariff tariff;
    int64_t charged_bytes;
    long double time_amount;
    long double traffic_amount;
};

class CostModelBadIndex : public testing::TestWithParam<BadIndexCase> {};

// 120 seconds, 1000 bytes down and 5000 up; 1.0 per minute and 0.01 per byte, unless the
// index says nothing.
TEST_P(CostModelBadIndex, ThatPartCostsNothing) {
    const auto& c = GetParam();
    auto cost = connection_cost(c.tariff, 120, 1000, 5000);
    EXPECT_EQ(cost.charged_bytes, c.charged_bytes);
    EXPECT_EQ(cost.time_amount, c.time_amount);
    EXPECT_EQ(cost.traffic_amount, c.traffic_amount);
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, CostModelBadIndex,
    testing::Values(BadIndexCase{"Valid", Tariff{1, 0, 10000, 0, 100}, 1000, 20000, 100000},
                    BadIndexCase{"TimeUnitNone", Tariff{1, -1, 10000, 0, 100}, 1000, 0, 100000},
                    BadIndexCase{"TimeUnitPast", Tariff{1, 2, 10000, 0, 100}, 1000, 0, 100000},
                    BadIndexCase{"TrafficUnitNone", Tariff{1, 0, 10000, -1, 100}, 1000, 20000, 0},
                    BadIndexCase{"TrafficUnitPast", Tariff{1, 0, 10000, 3, 100}, 1000, 20000, 0},
                    // The charged bytes are then down plus up, as for both directions.
                    BadIndexCase{"ChargedNone", Tariff{-1, 0, 10000, 0, 100}, 6000, 20000, 0},
                    BadIndexCase{"ChargedPast", Tariff{5, 0, 10000, 0, 100}, 6000, 20000, 0},
                    BadIndexCase{"AllBad", Tariff{5, 5, 10000, 5, 100}, 6000, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoundCase {
    long double amount;
    int64_t rounded;
};

class CostModelRound : public testing::TestWithParam<RoundCase> {};

TEST_P(CostModelRound, ToTheNearestTiesToEven) {
    EXPECT_EQ(round_half_even(GetParam().amount), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, CostModelRound,
    testing::Values(RoundCase{0, 0}, RoundCase{0.5L, 0}, RoundCase{1.5L, 2}, RoundCase{2.5L, 2},
                    RoundCase{2.5000001L, 3}, RoundCase{2.4999999L, 2}, RoundCase{-0.5L, 0},
                    RoundCase{-1.5L, -2}, RoundCase{-2.5L, -2}, RoundCase{-2.6L, -3},
                    RoundCase{1e15L + 0.5L, 1000000000000000},
                    RoundCase{1e15L + 1.5L, 1000000000000002},
                    RoundCase{9223372036854775807.0L, std::numeric_limits<int64_t>::max()},
                    RoundCase{-9223372036854775808.0L, std::numeric_limits<int64_t>::min()}));

TEST(CostModel, AmountsPastTheRangeRefuseToRound) {
    EXPECT_THROW(round_half_even(9223372036854775808.0L), ConversionError);
    EXPECT_THROW(round_half_even(-9223372036854775809.0L), ConversionError);
    EXPECT_THROW(round_half_even(std::numeric_limits<long double>::infinity()), ConversionError);
}

ConnectionCost amounts(long double time, long double traffic, int64_t charged = 0) {
    return ConnectionCost{charged, time, traffic};
}

TEST(CostModelSummary, AddsCountTimeAndChargedBytes) {
    Tlog_summary summary;
    add_connection(summary, 90, amounts(22500, 10000, 2048000));
    add_connection(summary, 30, amounts(0, 0, 1000));
    EXPECT_EQ(summary, (Tlog_summary{2, 2049000, 10000, 120, 22500}));
}

// The running sum is rounded after each addition, ties to even, so a half ten-thousandth
// goes up or down by the parity of the sum so far: neither rounding each row by itself nor
// rounding the exact total gives the same result.
struct RunningSumCase {
    const char* name;
    std::vector<long double> amounts;
    int64_t running;        // the summary's rule
    int64_t rows_rounded;   // each row rounded alone, then added
    int64_t total_rounded;  // the exact total rounded once
};

class CostModelRunningSum : public testing::TestWithParam<RunningSumCase> {};

TEST_P(CostModelRunningSum, RoundsAfterEachAddition) {
    const auto& c = GetParam();
    Tlog_summary summary;
    for (long double a : c.amounts) add_connection(summary, 30, amounts(a, a));
    EXPECT_EQ(summary.total_time_cost, c.running);
    EXPECT_EQ(summary.total_traffic_cost, c.running);
    int64_t rows_rounded = 0;
    long double exact = 0;
    for (long double a : c.amounts) {
        rows_rounded += round_half_even(a);
        exact += a;
    }
    EXPECT_EQ(rows_rounded, c.rows_rounded);
    EXPECT_EQ(round_half_even(exact), c.total_rounded);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CostModelRunningSum,
    testing::Values(RunningSumCase{"HalvesStayAtZero", {0.5L, 0.5L, 0.5L}, 0, 0, 2},
                    RunningSumCase{"HalfAfterAnOddSumGoesUp", {1, 0.5L}, 2, 1, 2},
                    RunningSumCase{"HalfAfterAnEvenSumGoesDown", {1.5L, 0.5L, 0.5L}, 2, 2, 2},
                    RunningSumCase{"Mixed", {0.4L, 0.4L, 0.4L, 1.2L, 0.5L}, 2, 1, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CostModelSummary, TotalsPastTheRangeLeaveTheSummaryAsItWas) {
    Tlog_summary summary;
    add_connection(summary, 10, amounts(1, 1, std::numeric_limits<int64_t>::max()));
    const Tlog_summary before = summary;
    EXPECT_THROW(add_connection(summary, 10, amounts(1, 1, 1)), ConversionError);
    EXPECT_THROW(add_connection(summary, 10, amounts(1e30L, 1, 0)), ConversionError);
    EXPECT_EQ(summary, before);
}

}  // namespace
}  // namespace quorvane::test
