#include "usage/SummaryTexts.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "config/Conversions.h"
#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

// A connection of 90 s at 1.5 per minute and, charged for downloads only, 1000 bytes down
// at 0.01 per byte: the traffic label shows the charged bytes, not down plus up.
TEST(SummaryTexts, ShowTimeTrafficAndTheirCosts) {
    EXPECT_EQ(summary_texts("1", 90, 1000, 22500, 100000, point_decimal()),
              (SummaryTexts{"1", "00:01:30 / 2.25", "1,000.00 B / 10.00", "12.25"}));
    EXPECT_EQ(summary_texts("1", 90, 1000, 22500, 100000, comma_decimal()),
              (SummaryTexts{"1", "00:01:30 / 2,25", "1.000,00 B / 10,00", "12,25"}));
}

TEST(SummaryTexts, TotalCostIsTheExactSumOfBothCosts) {
    EXPECT_EQ(summary_texts("2", 0, 0, 22500, 10000, point_decimal()).total, "3.25");
    // Two amounts that each round down make a total that rounds up.
    EXPECT_EQ(summary_texts("2", 0, 0, 40, 10, point_decimal()).total, "0.01");
}

TEST(SummaryTexts, OfASummaryRecord) {
    // A total time past 32 bits still reads in hours.
    Tlog_summary summary{40, 2048000, 10000, int64_t{1} << 32, 22500};
    EXPECT_EQ(summary_texts(summary, point_decimal()),
              (SummaryTexts{"40", "1193046:28:16 / 2.25", "1.95 MB / 1.00", "3.25"}));
    EXPECT_EQ(summary_texts(Tlog_summary{}, point_decimal()),
              (SummaryTexts{"0", "00:00:00 / 0.00", "0.00 B / 0.00", "0.00"}));
}

TEST(SummaryTexts, TotalPastTheRangeOfAmountsIsAnError) {
    const int64_t big = int64_t{6} * 1000000000000000000;
    EXPECT_THROW(summary_texts("1", 0, 0, big, big, point_decimal()), ConversionError);
}

}  // namespace
}  // namespace quorvane::test
