#include "config/Conversions.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace quorvane {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal amount read by its grammar: the digits without leading zeros, and the power
// of ten that turns them into ten-thousandths (value = digits * 10^scale ten-thousandths).
struct DecimalText {
    bool negative = false;
    std::string digits;
    int64_t scale = 4;
};

// False when the text does not follow the grammar of a decimal amount.
bool parse_decimal(std::string_view text, std::string_view separator, DecimalText& out) {
    size_t at = 0;
    size_t end = text.size();
    while (at < end && is_blank(text[at])) ++at;
    while (end > at && is_blank(text[end - 1])) --end;
    if (at < end && (text[at] == '+' || text[at] == '-')) out.negative = text[at++] == '-';

    // Appends a run of digits (dropping leading zeros of the whole number); their count.
    auto take_digits = [&]() {
        size_t begin = at;
        for (; at < end && is_digit(text[at]); ++at) {
            if (!out.digits.empty() || text[at] != '0') out.digits += text[at];
        }
        return static_cast<int64_t>(at - begin);
    };
    if (take_digits() == 0) return false;
    if (!separator.empty() && text.substr(at, separator.size()) == separator) {
        at += separator.size();
        int64_t fraction_digits = take_digits();
        if (fraction_digits == 0) return false;
        out.scale -= fraction_digits;
    }
    if (at < end && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negative_exponent = false;
        if (at < end && (text[at] == '+' || text[at] == '-')) negative_exponent = text[at++] == '-';
        size_t begin = at;
        int64_t exponent = 0;
        for (; at < end && is_digit(text[at]); ++at) {
            // Past a billion the value is out of range, or zero, either way.
            if (exponent < 1000000000) exponent = exponent * 10 + (text[at] - '0');
        }
        if (at == begin) return false;
        out.scale += negative_exponent ? -exponent : exponent;
    }
    return at == end;
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

int64_t str_to_amount(const std::string& text, const std::string& decimal_separator) {
    auto fail = [&text]() {
        return ConversionError("'" + text + "' is not a valid floating point value");
    };
    DecimalText decimal;
    if (!parse_decimal(text, decimal_separator, decimal)) throw fail();
    const std::string& digits = decimal.digits;
    const int64_t size = static_cast<int64_t>(digits.size());
    // The number of digits that stay whole ten-thousandths; the rest is rounded away.
    const int64_t kept = size + decimal.scale;
    if (size == 0 || kept < 0) return 0;  // zero, or less than half a ten-thousandth
    if (kept > 19) throw fail();          // 10^19 - 1 is the most 64 unsigned bits hold here

    uint64_t magnitude = 0;
    for (int64_t i = 0; i < kept; ++i) {
        magnitude = magnitude * 10 + (i < size ? static_cast<uint64_t>(digits[i] - '0') : 0);
    }
    if (kept < size) {
        // Halves go to the even neighbour: up past half, or at exactly half from an odd one.
        char first_dropped = digits[kept];
        bool rest_nonzero = digits.find_first_not_of('0', kept + 1) != std::string::npos;
        if (first_dropped > '5' || (first_dropped == '5' && (rest_nonzero || magnitude % 2 == 1))) {
            ++magnitude;
        }
    }
    // The negative limit is one further than the positive one.
    const uint64_t limit =
        static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (decimal.negative ? 1 : 0);
    if (magnitude > limit) throw fail();
    return decimal.negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

}  // namespace quorvane
