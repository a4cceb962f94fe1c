#include "config/Conversions.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

struct Accepted {
    const char* text;
    int value;
};

class ConfigStrToIntAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(ConfigStrToIntAccepts, GivesTheNumber) {
    EXPECT_EQ(str_to_int(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, ConfigStrToIntAccepts,
                         testing::Values(Accepted{"0", 0}, Accepted{"1", 1}, Accepted{"-1", -1},
                                         Accepted{"+7", 7}, Accepted{"  42", 42},
                                         Accepted{"42  ", 42}, Accepted{"\t5\t", 5},
                                         Accepted{"007", 7}, Accepted{" -3 ", -3},
                                         Accepted{"2147483647", 2147483647},
                                         Accepted{"-2147483648", -2147483647 - 1}));

class ConfigStrToIntRefuses : public testing::TestWithParam<const char*> {};

TEST_P(ConfigStrToIntRefuses, NamingTheText) {
    const std::string text = GetParam();
    try {
        str_to_int(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, ConfigStrToIntRefuses,
                         testing::Values("", "   ", "-", "+", "1.5", "1,000", "12a", "a12", "1 2",
                                         "--1", "+-1", "0x10", "$10", "1e3", "2147483648",
                                         "-2147483649", "99999999999999999999"));

// Amounts are ten-thousandths: 1.5 is 15000.
struct AmountText {
    const char* text;
    const char* separator;
    int64_t value;
};

class ConfigStrToAmountAccepts : public testing::TestWithParam<AmountText> {};

TEST_P(ConfigStrToAmountAccepts, GivesTheTenThousandths) {
    EXPECT_EQ(str_to_amount(GetParam().text, GetParam().separator), GetParam().value);
}

constexpr int64_t max_amount = std::numeric_limits<int64_t>::max();
constexpr int64_t min_amount = std::numeric_limits<int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfigStrToAmountAccepts,
    testing::Values(AmountText{"0", ".", 0}, AmountText{"1.5", ".", 15000},
                    AmountText{"1,5", ",", 15000}, AmountText{"0.01", ".", 100},
                    AmountText{"  -2.25\t", ".", -22500}, AmountText{"+3", ".", 30000},
                    AmountText{"007.50", ".", 75000},
                    // No thousands separators: with a comma decimal, "1,000" is one.
                    AmountText{"1,000", ",", 10000},
                    // Exponents shift the point either way.
                    AmountText{"1.5e2", ".", 1500000}, AmountText{"15E-1", ".", 15000},
                    AmountText{"1e+3", ".", 10000000}, AmountText{"2,5E-4", ",", 2},
                    AmountText{"0e999999999999", ".", 0}, AmountText{"1e-30", ".", 0},
                    // A fifth decimal and beyond round to four, halves to the even neighbour.
                    AmountText{"1.23456", ".", 12346}, AmountText{"1.23454", ".", 12345},
                    AmountText{"0.00005", ".", 0}, AmountText{"0.00015", ".", 2},
                    AmountText{"0.00025", ".", 2}, AmountText{"0.000250001", ".", 3},
                    AmountText{"-0.00035", ".", -4}, AmountText{"-0.00005", ".", 0},
                    AmountText{"0.000049999", ".", 0},
                    // The range of 64-bit ten-thousandths, to its last unit on either side.
                    AmountText{"922337203685477.5807", ".", max_amount},
                    AmountText{"-922337203685477.5808", ".", min_amount},
                    AmountText{"922337203685477.58074", ".", max_amount},
                    AmountText{"0.0000000000000000000000009223372036854775807e25", ".", 92234}));

struct RefusedAmount {
    const char* text;
    const char* separator;
};

class ConfigStrToAmountRefuses : public testing::TestWithParam<RefusedAmount> {};

TEST_P(ConfigStrToAmountRefuses, NamingTheText) {
    const std::string text = GetParam().text;
    try {
        str_to_amount(text, GetParam().separator);
        FAIL() << "accepted '" << text << "'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConfigStrToAmountRefuses,
    testing::Values(RefusedAmount{"", "."}, RefusedAmount{"  ", "."}, RefusedAmount{"-", "."},
                    // A point where the regional settings have a comma, and the other way round.
                    RefusedAmount{"1.5", ","}, RefusedAmount{"1,5", "."},
                    RefusedAmount{"1,000.5", "."}, RefusedAmount{".5", "."},
                    RefusedAmount{"1.", "."}, RefusedAmount{"1.5.5", "."}, RefusedAmount{"1e", "."},
                    RefusedAmount{"1e+", "."}, RefusedAmount{"e5", "."}, RefusedAmount{"1 5", "."},
                    RefusedAmount{"--1", "."}, RefusedAmount{"$1", "."}, RefusedAmount{"0x10", "."},
                    RefusedAmount{"inf", "."}, RefusedAmount{"nan", "."},
                    RefusedAmount{"1.5 e2", "."}, RefusedAmount{"12a", "."},
                    // Past the range of 64-bit ten-thousandths.
                    RefusedAmount{"922337203685477.5808", "."},
                    RefusedAmount{"-922337203685477.5809", "."}, RefusedAmount{"1e15", "."},
                    RefusedAmount{"1e999999999999", "."},
                    RefusedAmount{"99999999999999999999", "."}));

}  // namespace
}  // namespace quorvane
