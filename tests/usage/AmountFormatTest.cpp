#include "usage/AmountFormat.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

// Amounts are ten-thousandths.
struct AmountCase {
    int64_t amount;
    const char* point;  // thousands "," and decimal "."
    const char* comma;  // thousands "." and decimal ","
};

class AmountFormat : public testing::TestWithParam<AmountCase> {};

TEST_P(AmountFormat, InBothLocales) {
    EXPECT_EQ(amount_to_str(GetParam().amount, point_decimal()), GetParam().point);
    EXPECT_EQ(amount_to_str(GetParam().amount, comma_decimal()), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, AmountFormat,
    testing::Values(AmountCase{12345678910, "1,234,567.89", "1.234.567,89"},
                    AmountCase{0, "0.00", "0,00"},
                    // Halves of a hundredth go away from zero.
                    AmountCase{50, "0.01", "0,01"}, AmountCase{49, "0.00", "0,00"},
                    AmountCase{-50, "-0.01", "-0,01"}, AmountCase{149, "0.01", "0,01"},
                    AmountCase{150, "0.02", "0,02"}, AmountCase{9999950, "1,000.00", "1.000,00"},
                    AmountCase{9999949, "999.99", "999,99"}, AmountCase{22500, "2.25", "2,25"},
                    AmountCase{-12345678910, "-1,234,567.89", "-1.234.567,89"},
                    // What rounds to zero carries no sign.
                    AmountCase{-49, "0.00", "0,00"},
                    AmountCase{std::numeric_limits<int64_t>::max(), "922,337,203,685,477.58",
                               "922.337.203.685.477,58"},
                    AmountCase{std::numeric_limits<int64_t>::min(), "-922,337,203,685,477.58",
                               "-922.337.203.685.477,58"}));

}  // namespace
}  // namespace quorvane::test
