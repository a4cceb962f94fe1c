#include "format/QuantityFormat.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

RegionalSettings point_decimal() {
    return RegionalSettings{".", ",", "dd/MM/yyyy", "HH:mm"};
}
RegionalSettings comma_decimal() {
    return RegionalSettings{",", ".", "dd.MM.yyyy", "HH:mm"};
}

constexpr int64_t KB = 1024;
constexpr int64_t MB = 1024 * KB;
constexpr int64_t GB = 1024 * MB;

struct BytesCase {
    int64_t count;
    const char* point;  // thousands "," and decimal "."
    const char* comma;  // thousands "." and decimal ","
};

class QuantityFormatBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(QuantityFormatBytes, InBothLocales) {
    EXPECT_EQ(bytes_to_str(GetParam().count, point_decimal()), GetParam().point);
    EXPECT_EQ(bytes_to_str(GetParam().count, comma_decimal()), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(
    Units, QuantityFormatBytes,
    testing::Values(
        BytesCase{0, "0.00 B", "0,00 B"}, BytesCase{1, "1.00 B", "1,00 B"},
        BytesCase{999, "999.00 B", "999,00 B"}, BytesCase{1000, "1,000.00 B", "1.000,00 B"},
        BytesCase{1023, "1,023.00 B", "1.023,00 B"}, BytesCase{1024, "1.00 KB", "1,00 KB"},
        BytesCase{1536, "1.50 KB", "1,50 KB"},
        // 1.125 KB: the half goes away from zero.
        BytesCase{1152, "1.13 KB", "1,13 KB"},
        // 1.0048828125 KB rounds down, 1.0146484375 KB rounds up.
        BytesCase{1029, "1.00 KB", "1,00 KB"}, BytesCase{1039, "1.01 KB", "1,01 KB"},
        // Rounding reaches the next unit's value without changing the unit.
        BytesCase{MB - 1, "1,024.00 KB", "1.024,00 KB"}, BytesCase{MB, "1.00 MB", "1,00 MB"},
        BytesCase{MB + MB / 8, "1.13 MB", "1,13 MB"},
        BytesCase{GB - 1, "1,024.00 MB", "1.024,00 MB"}, BytesCase{GB, "1.00 GB", "1,00 GB"},
        BytesCase{5 * GB, "5.00 GB", "5,00 GB"}, BytesCase{1536 * GB, "1,536.00 GB", "1.536,00 GB"},
        BytesCase{std::numeric_limits<int64_t>::max(), "8,589,934,592.00 GB",
                  "8.589.934.592,00 GB"}));

// In gigabytes the quotient is first held with four decimals (halves to even), and that
// value is rounded to two (halves away from zero): rounded twice.
INSTANTIATE_TEST_SUITE_P(
    GigabyteDoubleRounding, QuantityFormatBytes,
    testing::Values(
        // Just above 1.00495 GB: four decimals give 1.0050, then 1.01 (once rounded: 1.00).
        BytesCase{GB + 5315023, "1.01 GB", "1,01 GB"},
        // Just below 1.00495 GB: 1.0049, then 1.00.
        BytesCase{GB + 5315022, "1.00 GB", "1,00 GB"},
        // 1.09375 GB exactly: the half goes to the even 1.0938, then 1.09.
        BytesCase{GB + 3 * (GB / 32), "1.09 GB", "1,09 GB"},
        // 1.15625 GB exactly: the half goes to the even 1.1562, then 1.16.
        BytesCase{GB + 5 * (GB / 32), "1.16 GB", "1,16 GB"},
        // 1.125 GB: 1.1250 then away from zero to 1.13.
        BytesCase{GB + GB / 8, "1.13 GB", "1,13 GB"}));

INSTANTIATE_TEST_SUITE_P(
    Negative, QuantityFormatBytes,
    testing::Values(BytesCase{-5, "-5.00 B", "-5,00 B"}, BytesCase{-1, "-1.00 B", "-1,00 B"},
                    BytesCase{-2048, "-2,048.00 B", "-2.048,00 B"},
                    BytesCase{-5 * GB, "-5,368,709,120.00 B", "-5.368.709.120,00 B"},
                    BytesCase{std::numeric_limits<int64_t>::min(),
                              "-9,223,372,036,854,775,808.00 B",
                              "-9.223.372.036.854.775.808,00 B"}));

TEST(QuantityFormatSeparators, AnySeparatorTextIsUsedAsGiven) {
    RegionalSettings swiss{".", "'", "dd.MM.yyyy", "HH:mm"};
    EXPECT_EQ(bytes_to_str(1020 * MB + MB / 2, swiss), "1'020.50 MB");
    RegionalSettings french{",", "\xE2\x80\xAF", "dd/MM/yyyy", "HH:mm"};
    EXPECT_EQ(bytes_to_str(12345, french), "12,06 KB");
    EXPECT_EQ(bytes_to_str(-1000, french),
              "-1\xE2\x80\xAF"
              "000,00 B");
}

struct SecsCase {
    int64_t seconds;
    const char* text;
};

class QuantityFormatSecs : public testing::TestWithParam<SecsCase> {};

TEST_P(QuantityFormatSecs, HoursMinutesSeconds) {
    EXPECT_EQ(secs_to_str(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Durations, QuantityFormatSecs,
    testing::Values(SecsCase{0, "00:00:00"}, SecsCase{59, "00:00:59"}, SecsCase{60, "00:01:00"},
                    SecsCase{3725, "01:02:05"}, SecsCase{86399, "23:59:59"},
                    SecsCase{86400, "24:00:00"}, SecsCase{360000, "100:00:00"},
                    SecsCase{std::numeric_limits<int32_t>::max(), "596523:14:07"},
                    // A negative duration keeps a sign on every non-zero field.
                    SecsCase{-5, "00:00:-05"}, SecsCase{-65, "00:-01:-05"},
                    SecsCase{-3600, "-01:00:00"}, SecsCase{-3725, "-01:-02:-05"},
                    SecsCase{std::numeric_limits<int32_t>::min(), "-596523:-14:-08"},
                    // A summed total time passes 32 bits; the hours just grow.
                    SecsCase{int64_t{1} << 32, "1193046:28:16"},
                    SecsCase{std::numeric_limits<int64_t>::max(), "2562047788015215:30:07"},
                    SecsCase{std::numeric_limits<int64_t>::min(), "-2562047788015215:-30:-08"}));

}  // namespace
}  // namespace quorvane
