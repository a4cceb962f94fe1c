#include "usage/SheetColumnWidth.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

TEST(SheetColumnWidth, GrowsWithTheTextFromTheDefaultWidth) {
    EXPECT_EQ(column_width_for(text_pixels("")), 8.43);
    EXPECT_EQ(column_width_for(text_pixels("LAN")), 8.43);
    // Wide letters take more room than narrow ones, blanks count.
    EXPECT_GT(text_pixels("WWWW"), text_pixels("iiii"));
    EXPECT_GT(text_pixels("  LAN  "), text_pixels("LAN"));
    EXPECT_GT(text_pixels("\xE6\x9D\xB1\xE4\xBA\xAC"), text_pixels("ab"));
    const double header = column_width_for(text_pixels("     Network device     "));
    EXPECT_GT(header, 8.43);
    EXPECT_LT(header, 20);
    EXPECT_EQ(column_width_for(text_pixels(std::string(3000, 'W'))), 255);
}

}  // namespace
}  // namespace quorvane::test
