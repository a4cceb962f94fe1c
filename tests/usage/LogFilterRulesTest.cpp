#include "usage/LogFilterRules.h"

#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "config/Conversions.h"

namespace quorvane::test {
namespace {

// The boxes in the order they stand: device, then day, month, year from, then to.
FilterBoxes boxes(const char* device, const char* from_day, const char* from_month,
                  const char* from_year, const char* to_day, const char* to_month,
                  const char* to_year) {
    return FilterBoxes{device, from_day, from_month, from_year, to_day, to_month, to_year};
}

struct FilterRuleCase {
    const char* name;
    FilterBoxes boxes;
    const char* caption;
    std::optional<LogFilter::DateRange> dates;
    const char* device_pattern;
    const char* from_day_after;  // the day boxes as they stand afterwards
    const char* to_day_after;
};

class LogFilterRules : public testing::TestWithParam<FilterRuleCase> {};

TEST_P(LogFilterRules, BuildFilterAndCaption) {
    const auto& c = GetParam();
    FilterBoxes b = c.boxes;
    BuiltLogFilter built = create_log_filter(b);
    EXPECT_EQ(built.caption, c.caption);
    ASSERT_EQ(built.filter.dates.has_value(), c.dates.has_value());
    if (c.dates) {
        EXPECT_EQ(built.filter.dates->from, c.dates->from);
        EXPECT_EQ(built.filter.dates->to, c.dates->to);
    }
    EXPECT_EQ(built.filter.device_pattern, c.device_pattern);
    EXPECT_EQ(built.filter.user_pattern, "%");
    EXPECT_EQ(b.from_day, c.from_day_after);
    EXPECT_EQ(b.to_day, c.to_day_after);
}

using Range = LogFilter::DateRange;

INSTANTIATE_TEST_SUITE_P(
    Boxes, LogFilterRules,
    testing::Values(
        FilterRuleCase{"Today", boxes("All", "7", "March", "2005", "7", "March", "2005"),
                       "3/07/2005 to 3/07/2005", Range{"2005-03-07", "2005-03-07"}, "%", "7", "7"},
        // A day past the end of its month becomes the last day, and its box shows it.
        FilterRuleCase{
            "From31February2004", boxes("All", "31", "February", "2004", "31", "December", "2004"),
            "2/29/2004 to 12/31/2004", Range{"2004-02-29", "2004-12-31"}, "%", "29", "31"},
        FilterRuleCase{"To31April", boxes("All", "1", "April", "2005", "31", "April", "2005"),
                       "4/01/2005 to 4/30/2005", Range{"2005-04-01", "2005-04-30"}, "%", "1", "30"},
        FilterRuleCase{"To29February2005",
                       boxes("All", "1", "February", "2005", "29", "February", "2005"),
                       "2/01/2005 to 2/28/2005", Range{"2005-02-01", "2005-02-28"}, "%", "1", "28"},
        // A chosen day counts with the from month unset, and is ignored with the to month
        // unset.
        FilterRuleCase{"Day15WithMonthAll", boxes("All", "15", "All", "2004", "15", "All", "2004"),
                       "1/15/2004 to 12/31/2004", Range{"2004-01-15", "2004-12-31"}, "%", "15",
                       "15"},
        FilterRuleCase{"MonthAndDayAll", boxes("All", "All", "All", "2004", "All", "All", "2005"),
                       "1/01/2004 to 12/31/2005", Range{"2004-01-01", "2005-12-31"}, "%", "All",
                       "All"},
        // A month without a day: its first day, or its last.
        FilterRuleCase{"MonthWithoutDay",
                       boxes("All", "All", "April", "2005", "", "February", "2004"),
                       "4/01/2005 to 2/29/2004", Range{"2005-04-01", "2004-02-29"}, "%", "All", ""},
        FilterRuleCase{"MonthsInAnyCase",
                       boxes("All", "1", "MARCH", "2005", "1", "sePTember", "2005"),
                       "3/01/2005 to 9/01/2005", Range{"2005-03-01", "2005-09-01"}, "%", "1", "1"},
        FilterRuleCase{"AllInEveryBox", boxes("All", "All", "All", "All", "All", "All", "All"),
                       "All record", std::nullopt, "%", "All", "All"},
        FilterRuleCase{"EveryBoxEmpty", boxes("", "", "", "", "", "", ""), "All record",
                       std::nullopt, "%", "", ""},
        FilterRuleCase{"ToYearAllWithToDayAll",
                       boxes("All", "7", "March", "2005", "All", "March", "All"), "All record",
                       std::nullopt, "%", "7", "All"},
        // The from day is still kept within its month when the other year is unset.
        FilterRuleCase{"FromYearOnly",
                       boxes("All", "31", "February", "2004", "31", "December", "All"),
                       "All record", std::nullopt, "%", "29", "31"},
        FilterRuleCase{"FromYearAll", boxes("All", "7", "March", "All", "7", "March", "2005"),
                       "All record", std::nullopt, "%", "7", "7"},
        // Boxes that do not count are not read: the to day with the to month unset, the
        // days with their year unset.
        FilterRuleCase{"IgnoredBoxesAreNotRead",
                       boxes("All", "x", "March", "All", "y", "All", "2005"), "All record",
                       std::nullopt, "%", "x", "y"},
        // The device text goes into the pattern unchanged, wildcards and quotes alike.
        FilterRuleCase{"Device", boxes("LAN", "7", "March", "2005", "7", "March", "2005"),
                       "3/07/2005 to 3/07/2005", Range{"2005-03-07", "2005-03-07"}, "LAN", "7",
                       "7"},
        FilterRuleCase{"DeviceWithQuotesAndWildcards",
                       boxes("Bob's \"50%\" [lab]=x", "All", "All", "All", "All", "All", "All"),
                       "All record", std::nullopt, "Bob's \"50%\" [lab]=x", "All", "All"},
        FilterRuleCase{"DeviceEmpty", boxes("", "7", "March", "2005", "7", "March", "2005"),
                       "3/07/2005 to 3/07/2005", Range{"2005-03-07", "2005-03-07"}, "%", "7", "7"},
        // 2000 is a leap year, 1900 is not.
        FilterRuleCase{
            "LeapCenturies", boxes("All", "29", "February", "2000", "29", "February", "1900"),
            "2/29/2000 to 2/28/1900", Range{"2000-02-29", "1900-02-28"}, "%", "29", "28"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FilterErrorCase {
    const char* name;
    FilterBoxes boxes;
    const char* message;
    const char* from_day_after;
    const char* to_day_after;
};

class LogFilterRulesRefuse : public testing::TestWithParam<FilterErrorCase> {};

TEST_P(LogFilterRulesRefuse, NamingTheTextOrTheDate) {
    const auto& c = GetParam();
    FilterBoxes b = c.boxes;
    try {
        create_log_filter(b);
        FAIL() << "accepted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(b.from_day, c.from_day_after);
    EXPECT_EQ(b.to_day, c.to_day_after);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, LogFilterRulesRefuse,
    testing::Values(
        FilterErrorCase{"BadDay", boxes("All", "7th", "March", "2005", "7", "March", "2005"),
                        "'7th' is not a valid integer value", "7th", "7"},
        FilterErrorCase{"BadToDay", boxes("All", "7", "March", "2005", "3 1", "May", "2005"),
                        "'3 1' is not a valid integer value", "7", "3 1"},
        FilterErrorCase{"BadMonth", boxes("All", "7", "Marchh", "2005", "7", "March", "2005"),
                        "'Marchh' is not a month name", "7", "7"},
        FilterErrorCase{"ShortMonth", boxes("All", "7", "March", "2005", "7", "Mar", "2005"),
                        "'Mar' is not a month name", "7", "7"},
        FilterErrorCase{"BadYear", boxes("All", "7", "March", "2005", "7", "March", "2OO5"),
                        "'2OO5' is not a valid integer value", "7", "7"},
        FilterErrorCase{"DayZero", boxes("All", "0", "March", "2005", "7", "March", "2005"),
                        "'3/00/2005' is not a valid date", "0", "7"},
        FilterErrorCase{"NegativeDay", boxes("All", "7", "March", "2005", "-1", "May", "2005"),
                        "'5/-1/2005' is not a valid date", "7", "-1"},
        FilterErrorCase{"YearZero", boxes("All", "7", "March", "0", "7", "March", "2005"),
                        "'3/07/0000' is not a valid date", "7", "7"},
        // A corrected day keeps its corrected text when a later box fails.
        FilterErrorCase{"CorrectionKeptWhenALaterBoxFails",
                        boxes("All", "31", "February", "2004", "1", "Foo", "2004"),
                        "'Foo' is not a month name", "29", "1"},
        FilterErrorCase{"CorrectionKeptWhenTheDateFails",
                        boxes("All", "0", "May", "2005", "31", "April", "2005"),
                        "'5/00/2005' is not a valid date", "0", "30"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LogFilterRulesBlame, TheBoxThatFailedIsNamedWithItsText) {
    struct Case {
        FilterBoxes boxes;
        FilterBox box;
        const char* text;
    };
    const Case cases[] = {
        {boxes("All", "7", "March", "99999", "7", "March", "2005"), FilterBox::from_year, "99999"},
        {boxes("All", "7", "Foo", "2005", "7", "March", "2005"), FilterBox::from_month, "Foo"},
        {boxes("All", "0", "March", "2005", "7", "March", "2005"), FilterBox::from_day, "0"},
        {boxes("All", "x", "March", "2005", "7", "March", "2005"), FilterBox::from_day, "x"},
        {boxes("All", "7", "March", "2005", "-1", "May", "2005"), FilterBox::to_day, "-1"},
        {boxes("All", "7", "March", "2005", "7", "Mar", "2005"), FilterBox::to_month, "Mar"},
        {boxes("All", "7", "March", "2005", "7", "March", "0"), FilterBox::to_year, "0"},
        {boxes("All", "7", "March", "2005", "7", "March", "year"), FilterBox::to_year, "year"},
    };
    for (const Case& c : cases) {
        FilterBoxes b = c.boxes;
        try {
            create_log_filter(b);
            ADD_FAILURE() << "accepted " << c.text;
        } catch (const FilterBoxError& e) {
            EXPECT_EQ(e.box, c.box) << c.text;
            EXPECT_EQ(e.text, c.text);
        }
    }
}

TEST(LogFilterRulesBlame, APeriodThatStartsAfterItEndsIsRefused) {
    FilterBoxes reversed = boxes("All", "12", "December", "2026", "10", "December", "2026");
    const BuiltLogFilter built = create_log_filter(reversed);
    try {
        check_period_order(built);
        FAIL() << "accepted";
    } catch (const ReversedPeriodError& e) {
        EXPECT_EQ(e.from, "2026-12-12");
        EXPECT_EQ(e.to, "2026-12-10");
    }
    for (FilterBoxes fine : {boxes("All", "10", "December", "2026", "10", "December", "2026"),
                             boxes("All", "All", "All", "All", "All", "All", "All"),
                             boxes("All", "1", "January", "2027", "All", "All", "All")}) {
        EXPECT_NO_THROW(check_period_order(create_log_filter(fine)));
    }
}

TEST(LogFilterMonthToNum, EveryMonthInAnyLetterCase) {
    const std::pair<const char*, const char*> months[] = {
        {"January", "01"},   {"FEBRUARY", "02"}, {"march", "03"},    {"aPRIL", "04"},
        {"May", "05"},       {"june", "06"},     {"JULY", "07"},     {"August", "08"},
        {"SEPtember", "09"}, {"october", "10"},  {"November", "11"}, {"december", "12"}};
    for (const auto& [name, number] : months) EXPECT_EQ(month_to_num(name), number) << name;
}

TEST(LogFilterMonthToNum, OtherTextsAreNoMonth) {
    for (const char* text : {"", "All", "Jan", " March", "March ", "Marz", "13", "01"}) {
        EXPECT_THROW(month_to_num(text), ConversionError) << text;
    }
}

}  // namespace
}  // namespace quorvane::test
