#include "usage/LogRowTexts.h"

#include <gtest/gtest.h>

#include <limits>

#include "format/QuantityFormat.h"

#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

TEST(LogRowTexts, StoredDatesAndTimesInTheRegionalShortFormats) {
    struct Case {
        const char* stored;
        bool is_date;
        const char *point, *comma;
    };
    const Case cases[] = {
        {"2026-12-10", true, "12/10/2026", "10.12.2026"},
        {"2005-03-07", true, "3/7/2005", "07.03.2005"},
        {"09:05", false, "09:05", "09:05"},
        // A text of another form is shown as it is.
        {"2026-13-01", true, "2026-13-01", "2026-13-01"},
        {"10/12/2026", true, "10/12/2026", "10/12/2026"},
        {"9:05", false, "9:05", "9:05"},
        // Of the form but no date or time that exists: as stored, never another valid one.
        {"-0:05", false, "-0:05", "-0:05"},
        {"+1:05", false, "+1:05", "+1:05"},
        {"24:00", false, "24:00", "24:00"},
        {"12:60", false, "12:60", "12:60"},
        {"-000-11-99", true, "-000-11-99", "-000-11-99"},
        {"0000-01-01", true, "0000-01-01", "0000-01-01"},
        {"2026-02-29", true, "2026-02-29", "2026-02-29"},
        {"2024-02-29", true, "2/29/2024", "29.02.2024"},
        {"2026-04-31", true, "2026-04-31", "2026-04-31"},
        {"2026-1 -01", true, "2026-1 -01", "2026-1 -01"},
    };
    for (const Case& c : cases) {
        auto shown = [&](const RegionalSettings& regional) {
            return c.is_date ? shown_date(c.stored, regional) : shown_time(c.stored, regional);
        };
        EXPECT_EQ(shown(point_decimal()), c.point) << c.stored;
        EXPECT_EQ(shown(comma_decimal()), c.comma) << c.stored;
    }
}

TEST(LogRowTexts, ARowHasTheSevenValuesOfTheGridAndTheReport) {
    const LogRow row{"a", "2026-12-10", "18:00", "local", "lan", 1800, 0, 5368709120, 1024};
    EXPECT_EQ(
        log_row_texts(ref_of(row), point_decimal()),
        (GridRowTexts{"12/10/2026", "18:00", "lan", "00:30:00", "5.00 GB", "1.00 KB", "5.00 GB"}));
}

TEST(LogRowTexts, ATotalPast64BitsIsShownWithoutOverflow) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    struct Case {
        int64_t dload, uload;
        const char* total;
    };
    const Case cases[] = {
        // 2^64 - 2 bytes: 17,179,869,184.00 GB less two bytes.
        {kMax, kMax, "17,179,869,184.00 GB"},
        {kMax, 1, "8,589,934,592.00 GB"},
        {kMax, 0, "8,589,934,592.00 GB"},
        {kMin, -1, "-9,223,372,036,854,775,809.00 B"},
        {kMin, kMin, "-18,446,744,073,709,551,616.00 B"},
        {kMin, kMax, "-1.00 B"},
    };
    for (const Case& c : cases) {
        const LogRow row{"a", "2026-12-10", "18:00", "local", "lan", 1, 0, c.dload, c.uload};
        EXPECT_EQ(log_row_text(ref_of(row), 6, point_decimal()), c.total) << c.dload << c.uload;
    }
    EXPECT_EQ(decimal_sum(kMax, kMax), "18446744073709551614");
    EXPECT_EQ(decimal_sum(kMin, kMin), "-18446744073709551616");
    EXPECT_EQ(decimal_sum(kMin, -5), "-9223372036854775813");
    EXPECT_EQ(decimal_sum(-5, 3), "-2");
}

}  // namespace
}  // namespace quorvane::test
