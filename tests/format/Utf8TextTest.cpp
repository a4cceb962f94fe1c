#include "format/Utf8Text.h"

#include <gtest/gtest.h>

namespace quorvane::test {
namespace {

TEST(Utf8Text, KeepsWellFormedTextAndReplacesEveryOtherByte) {
    const std::string bad = "\xEF\xBF\xBD";
    struct Case {
        std::string text, expected;
    };
    const Case cases[] = {
        {"Home LAN", "Home LAN"},
        {"Caf\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x93\xB6", "Caf\xC3\xA9 \xE6\x9D\xB1 \xF0\x9F\x93\xB6"},
        {"a\xFF"
         "b",
         "a" + bad + "b"},                            // no UTF-8 lead byte
        {"\x80", bad},                                // a stray continuation byte
        {"\xC0\xAF", bad + bad},                      // overlong
        {"\xED\xA0\x80", bad + bad + bad},            // a surrogate
        {"\xF4\x90\x80\x80", bad + bad + bad + bad},  // past U+10FFFF
        {"ab\xE6\x9D", "ab" + bad + bad},             // cut off at the end
    };
    for (const Case& c : cases) EXPECT_EQ(valid_utf8(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace quorvane::test
