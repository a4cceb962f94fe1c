#include <gtest/gtest.h>

#include <limits>

#include "widgets/TrendBuffers.h"

namespace quorvane {
namespace {

using Series = TrendBuffers::Series;

TrendBuffers autoscaled(int divisions) {
    TrendBuffers buffers;
    buffers.set_Divisions(divisions);
    buffers.set_AutoScale(true);
    return buffers;
}

TEST(TrendBuffers, StartsEmptyOnTheScaleZeroToHundredWithTwentySlots) {
    TrendBuffers buffers;
    EXPECT_EQ(buffers.MinVal(), 0);
    EXPECT_EQ(buffers.MaxVal(), 100);
    EXPECT_EQ(buffers.Divisions(), 20);
    EXPECT_FALSE(buffers.AutoScale());
    for (Series series : {Series::Main, Series::Twin, Series::StaticLine})
        for (int32_t v : buffers.values(series)) EXPECT_EQ(v, 0);
}

TEST(TrendBuffers, ALargeValueHoldsTheScaleUntilItLeavesTheNinetySlots) {
    TrendBuffers buffers = autoscaled(90);
    buffers.add(Series::Main, 500);
    EXPECT_EQ(buffers.MaxVal(), 500);
    EXPECT_EQ(buffers.value(Series::Main, 89), 500);
    for (int tick = 1; tick <= 89; ++tick) {
        buffers.add(Series::Main, 0);
        ASSERT_EQ(buffers.MaxVal(), 500) << "after " << tick << " zeros";
        ASSERT_EQ(buffers.value(Series::Main, 89 - tick), 500);
    }
    buffers.add(Series::Main, 0);
    EXPECT_EQ(buffers.MaxVal(), 1) << "all zeros with MinVal 0 give the scale 0..1";
}

TEST(TrendBuffers, TheScaleFollowsTheLargestValueLeft) {
    TrendBuffers buffers = autoscaled(3);
    for (int32_t v : {40, 90, 10}) buffers.add(Series::Main, v);
    EXPECT_EQ(buffers.MaxVal(), 90);
    buffers.add(Series::Main, 20);  // 40 leaves
    EXPECT_EQ(buffers.MaxVal(), 90);
    buffers.add(Series::Main, 20);  // 90 leaves
    EXPECT_EQ(buffers.MaxVal(), 20);
}

TEST(TrendBuffers, BothSeriesShareOneScale) {
    TrendBuffers buffers = autoscaled(90);
    buffers.add(Series::Twin, 800);
    buffers.add(Series::Main, 10);
    EXPECT_EQ(buffers.MaxVal(), 800);
    buffers.add(Series::Main, 900);
    EXPECT_EQ(buffers.MaxVal(), 900);
    EXPECT_EQ(buffers.value(Series::Twin, 89), 800) << "the twin keeps its value";
}

TEST(TrendBuffers, TheScaleCoversEntriesBeyondTheShownSlots) {
    TrendBuffers buffers = autoscaled(100);
    buffers.add(Series::Main, 900);  // entry 99
    buffers.set_Divisions(20);
    for (int i = 0; i < 40; ++i) buffers.add(Series::Main, 1);
    EXPECT_EQ(buffers.value(Series::Main, 99), 900) << "not shifted: beyond the 20 slots";
    EXPECT_EQ(buffers.MaxVal(), 900);
}

TEST(TrendBuffers, EnteringShiftsOnlyTheShownSlots) {
    TrendBuffers buffers;
    buffers.set_Divisions(3);
    for (int32_t v : {1, 2, 3, 4}) buffers.add(Series::Twin, v);
    EXPECT_EQ(buffers.value(Series::Twin, 0), 2);
    EXPECT_EQ(buffers.value(Series::Twin, 1), 3);
    EXPECT_EQ(buffers.value(Series::Twin, 2), 4);
    EXPECT_EQ(buffers.value(Series::Twin, 3), 0);
    EXPECT_EQ(buffers.value(Series::Main, 2), 0) << "the other series stays";
}

struct Entered {
    bool auto_scale;
    int32_t min, max, value;
    int32_t stored, max_after;
};

class EnteringAValue : public ::testing::TestWithParam<Entered> {};

TEST_P(EnteringAValue, IsRaisedToMinValAndCutToMaxValWithoutAutoScale) {
    const Entered& c = GetParam();
    TrendBuffers buffers;
    buffers.set_AutoScale(c.auto_scale);
    buffers.set_MaxVal(c.max);
    buffers.set_MinVal(c.min);
    buffers.add(Series::Main, c.value);
    EXPECT_EQ(buffers.value(Series::Main, 19), c.stored);
    EXPECT_EQ(buffers.MaxVal(), c.max_after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EnteringAValue,
    ::testing::Values(Entered{false, 0, 100, -5, 0, 100},     // negative with MinVal 0
                      Entered{false, 0, 100, 250, 100, 100},  // cut to MaxVal
                      Entered{false, 10, 100, 5, 10, 100},    // raised to MinVal
                      Entered{true, 0, 100, 250, 250, 250},   // rescaled, not cut
                      Entered{true, 0, 100, -7, 0, 1},        // all zeros: 0..1
                      Entered{true, -50, 100, -80, -50, 0},   // raised; the zeros held rule
                      Entered{true, 0, 100, std::numeric_limits<int32_t>::max(),
                              std::numeric_limits<int32_t>::max(),
                              std::numeric_limits<int32_t>::max()}));

TEST(TrendBuffers, ClearingKeepsTheScaleUntilTheNextValue) {
    TrendBuffers buffers = autoscaled(90);
    buffers.add(Series::Main, 500);
    buffers.add(Series::Twin, 300);
    buffers.clear(Series::Main);
    EXPECT_EQ(buffers.MaxVal(), 500);
    EXPECT_EQ(buffers.value(Series::Main, 89), 0);
    EXPECT_EQ(buffers.value(Series::Twin, 89), 300) << "only the series cleared";
    buffers.clear(Series::Twin);
    EXPECT_EQ(buffers.MaxVal(), 500);
    buffers.add(Series::Main, 7);
    EXPECT_EQ(buffers.MaxVal(), 7);
}

TEST(TrendBuffers, ClearingTouchesOnlyTheShownSlots) {
    TrendBuffers buffers;
    buffers.set_Divisions(100);
    buffers.add(Series::Main, 60);
    buffers.set_Divisions(50);
    buffers.clear(Series::Main);
    EXPECT_EQ(buffers.value(Series::Main, 99), 60);
}

struct RangeCase {
    const char* what;
    int32_t min_before, max_before;
    bool set_min;  // else MaxVal
    int32_t value;
    int32_t min_after, max_after;
    bool changed;
};

class SettingTheRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(SettingTheRange, KeepsMinValBelowMaxVal) {
    const RangeCase& c = GetParam();
    TrendBuffers buffers;
    buffers.set_MaxVal(c.max_before);
    buffers.set_MinVal(c.min_before);
    ASSERT_EQ(buffers.MinVal(), c.min_before);
    ASSERT_EQ(buffers.MaxVal(), c.max_before);
    const bool changed = c.set_min ? buffers.set_MinVal(c.value) : buffers.set_MaxVal(c.value);
    EXPECT_EQ(buffers.MinVal(), c.min_after) << c.what;
    EXPECT_EQ(buffers.MaxVal(), c.max_after) << c.what;
    EXPECT_EQ(changed, c.changed) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingTheRange,
    ::testing::Values(RangeCase{"MinVal at MaxVal", 0, 100, true, 100, 99, 100, true},
                      RangeCase{"MinVal above MaxVal", 0, 100, true, 400, 99, 100, true},
                      RangeCase{"MaxVal below MinVal", 10, 100, false, 5, 10, 11, true},
                      RangeCase{"MaxVal at MinVal", 10, 100, false, 10, 10, 11, true},
                      RangeCase{"MinVal unchanged", 0, 100, true, 0, 0, 100, false},
                      RangeCase{"MaxVal unchanged", 0, 100, false, 100, 0, 100, false},
                      RangeCase{"MinVal made MaxVal - 1 twice", 99, 100, true, 150, 99, 100, false},
                      RangeCase{"negative minimum", 0, 100, true, -20, -20, 100, true}));

struct DivisionsCase {
    int value, stored;
};

class SettingDivisions : public ::testing::TestWithParam<DivisionsCase> {};

TEST_P(SettingDivisions, IsClampedToTwoToHundred) {
    TrendBuffers buffers;
    buffers.set_Divisions(GetParam().value);
    EXPECT_EQ(buffers.Divisions(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingDivisions,
                         ::testing::Values(DivisionsCase{1, 2}, DivisionsCase{500, 100},
                                           DivisionsCase{-3, 2}, DivisionsCase{2, 2},
                                           DivisionsCase{90, 90}, DivisionsCase{100, 100}));

}  // namespace
}  // namespace quorvane
