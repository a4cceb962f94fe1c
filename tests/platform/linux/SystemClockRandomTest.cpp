#include <gtest/gtest.h>

#include <ctime>
#include <set>
#include <stdexcept>

#include "platform/linux/SystemClock.h"
#include "platform/linux/SystemRandom.h"

namespace quorvane {
namespace {

std::time_t seconds_of(const LocalTime& t) {
    std::tm parts{};
    parts.tm_year = t.year - 1900;
    parts.tm_mon = t.month - 1;
    parts.tm_mday = t.day;
    parts.tm_hour = t.hour;
    parts.tm_min = t.minute;
    parts.tm_sec = t.second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

TEST(SystemClockTest, ReadsTheLocalTimeOfNow) {
    const std::time_t before = std::time(nullptr);
    const LocalTime now = SystemClock().now();
    const std::time_t after = std::time(nullptr);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    // Around a change from summer time one local hour occurs twice; allow for it.
    const std::time_t read = seconds_of(now);
    auto within = [&](std::time_t t) { return t >= before && t <= after; };
    EXPECT_TRUE(within(read) || within(read + 3600) || within(read - 3600))
        << read << " not in [" << before << ", " << after << "]";
}

TEST(SystemRandomTest, StaysBelowTheBoundAndVaries) {
    SystemRandom random;
    std::set<int> seen;
    for (int i = 0; i < 500; ++i) {
        int value = random.next_below(1000);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 1000);
        seen.insert(value);
    }
    EXPECT_GT(seen.size(), 100u);
    EXPECT_EQ(random.next_below(1), 0);
}

TEST(SystemRandomTest, RefusesAnEmptyRange) {
    SystemRandom random;
    EXPECT_THROW(random.next_below(0), std::invalid_argument);
    EXPECT_THROW(random.next_below(-5), std::invalid_argument);
}

}  // namespace
}  // namespace quorvane
