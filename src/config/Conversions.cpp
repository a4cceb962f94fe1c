#include "config/Conversions.h"

#include <cstdint>
#include <limits>

namespace quorvane {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

int str_to_int(const std::string& text) {
    auto fail = [&text]() {
        return ConversionError("'" + text + "' is not a valid integer value");
    };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;

    bool negative = false;
    if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
        negative = text[begin] == '-';
        ++begin;
    }
    if (begin == end) throw fail();

    // The magnitude may reach 2^31 for the negative limit; anything past that is out of range.
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
    int64_t magnitude = 0;
    for (size_t i = begin; i < end; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') throw fail();
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) throw fail();
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace quorvane
