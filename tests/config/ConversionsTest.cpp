#include "config/Conversions.h"

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

}  // namespace
}  // namespace quorvane
