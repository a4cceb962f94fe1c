#include "usage/LogRowTexts.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvane::test
