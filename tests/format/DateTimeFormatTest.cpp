#include "format/DateTimeFormat.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

// Friday, 5 January 2024, 13:45:02.
constexpr LocalTime afternoon{2024, 1, 5, 13, 45, 2};
// Sunday, 7 July 2002, 00:05:09.
constexpr LocalTime past_midnight{2002, 7, 7, 0, 5, 9};

struct PatternCase {
    const char* pattern;
    const char* afternoon;
    const char* past_midnight;
};

class DateTimeFormatPattern : public testing::TestWithParam<PatternCase> {};

TEST_P(DateTimeFormatPattern, WritesThePattern) {
    EXPECT_EQ(format_local_time(afternoon, GetParam().pattern), GetParam().afternoon);
    EXPECT_EQ(format_local_time(past_midnight, GetParam().pattern), GetParam().past_midnight);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateTimeFormatPattern,
    testing::Values(PatternCase{"dd/MM/yyyy", "05/01/2024", "07/07/2002"},
                    PatternCase{"d.M.yy", "5.1.24", "7.7.02"},
                    PatternCase{"M/d/yyyy", "1/5/2024", "7/7/2002"},
                    PatternCase{"yyyy-MM-dd", "2024-01-05", "2002-07-07"},
                    PatternCase{"ddd d MMM yyyy", "Fri 5 Jan 2024", "Sun 7 Jul 2002"},
                    PatternCase{"dddd, MMMM d, yyyy", "Friday, January 5, 2024",
                                "Sunday, July 7, 2002"},
                    // Past four letters the rest starts a new field; a lone y is itself.
                    PatternCase{"MMMMM", "January1", "July7"}, PatternCase{"y", "y", "y"}));

INSTANTIATE_TEST_SUITE_P(
    Times, DateTimeFormatPattern,
    testing::Values(PatternCase{"HH:mm:ss", "13:45:02", "00:05:09"},
                    PatternCase{"H:m:s", "13:45:2", "0:5:9"},
                    PatternCase{"h:mm AP", "1:45 PM", "12:05 AM"},
                    PatternCase{"hh:mm ap", "01:45 pm", "12:05 am"},
                    PatternCase{"h:mm A", "1:45 PM", "12:05 AM"},
                    PatternCase{"HH:mm AP", "13:45 PM", "00:05 AM"},
                    // Without AM/PM in the pattern the hour runs to 23, as the locale means it.
                    PatternCase{"hh:mm", "13:45", "00:05"}));

INSTANTIATE_TEST_SUITE_P(Literals, DateTimeFormatPattern,
                         testing::Values(PatternCase{"'Day' d", "Day 5", "Day 7"},
                                         PatternCase{"HH'h'mm", "13h45", "00h05"},
                                         PatternCase{"d 'de' MMMM", "5 de January", "7 de July"},
                                         PatternCase{"''yy", "'24", "'02"},
                                         PatternCase{"'it''s' H", "it's 13", "it's 0"},
                                         PatternCase{"'a' hh:mm", "a 13:45", "a 00:05"},
                                         PatternCase{"'open d", "open d", "open d"},
                                         PatternCase{"dd-MM [x] #", "05-01 [x] #", "07-07 [x] #"}));

TEST(DateTimeFormatFixed, IsoDateAndHoursMinutes) {
    EXPECT_EQ(iso_date(afternoon), "2024-01-05");
    EXPECT_EQ(hh_mm(afternoon), "13:45");
    EXPECT_EQ(iso_date(LocalTime{987, 12, 31, 9, 7, 0}), "0987-12-31");
    EXPECT_EQ(hh_mm(past_midnight), "00:05");
}

}  // namespace
}  // namespace quorvane
