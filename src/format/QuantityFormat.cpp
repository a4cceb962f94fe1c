#include "format/QuantityFormat.h"

#include <cstdint>
#include <string>

#include "format/NumberPicture.h"

namespace quorvane {

namespace {

constexpr int64_t kilobyte = int64_t{1} << 10;
constexpr int64_t megabyte = int64_t{1} << 20;
constexpr int64_t gigabyte = int64_t{1} << 30;

// Hundredths of count / divisor, rounded to the nearest, halves away from zero. Only used
// with 0 <= count < 2^30, so count * 100 cannot overflow.
int64_t hundredths(int64_t count, int64_t divisor) {
    return (count * 100 + divisor / 2) / divisor;
}

// Hundredths of count / 2^30 for count >= 2^30: the quotient is held with four decimals
// first (nearest, halves to even), and that value is rounded to two (halves away from zero).
// Unsigned, so that a sum of two counts past 2^63 has its hundredths too (below 2^64 bytes
// that is below 2^34 * 100).
uint64_t gigabyte_hundredths(uint64_t count) {
    constexpr auto unit = static_cast<uint64_t>(gigabyte);
    uint64_t whole = count / unit;
    uint64_t rest = (count % unit) * 10000;  // below 2^30 * 10^4
    uint64_t frac = rest / unit;
    uint64_t remainder = rest % unit;
    if (remainder * 2 > unit || (remainder * 2 == unit && frac % 2 == 1)) ++frac;
    uint64_t ten_thousandths = whole * 10000 + frac;
    return (ten_thousandths + 50) / 100;
}

std::string gigabytes_text(uint64_t count, const RegionalSettings& regional) {
    const uint64_t value = gigabyte_hundredths(count);
    return number_picture(false, value / 100, static_cast<unsigned>(value % 100), regional) + " GB";
}

// The magnitude of a negative sum of two counts that passes 64 bits, as decimal digits:
// -a - b lies between 2^63 and 2^64.
std::string negative_sum_digits(int64_t a, int64_t b) {
    const uint64_t magnitude = (0 - static_cast<uint64_t>(a)) + (0 - static_cast<uint64_t>(b));
    // Only two counts of -2^63 reach 2^64, which wraps to 0.
    return magnitude == 0 ? "18446744073709551616" : std::to_string(magnitude);
}

}  // namespace

std::string bytes_to_str(int64_t count, const RegionalSettings& regional) {
    if (count < kilobyte) {
        // Negative counts land here too; the magnitude is taken unsigned so that the most
        // negative count keeps its value.
        bool negative = count < 0;
        uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(count) : uint64_t(count);
        return number_picture(negative, magnitude, 0, regional) + " B";
    }
    if (count >= gigabyte) return gigabytes_text(static_cast<uint64_t>(count), regional);
    int64_t value = count < megabyte ? hundredths(count, kilobyte) : hundredths(count, megabyte);
    const char* unit = count < megabyte ? " KB" : " MB";
    return number_picture(false, static_cast<uint64_t>(value / 100),
                          static_cast<unsigned>(value % 100), regional) +
           unit;
}

std::string bytes_sum_to_str(int64_t a, int64_t b, const RegionalSettings& regional) {
    int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return bytes_to_str(sum, regional);
    // Past 2^63 both counts are positive, and their unsigned sum is exact.
    if (a > 0) return gigabytes_text(static_cast<uint64_t>(a) + static_cast<uint64_t>(b), regional);
    // Below -2^63: in bytes, as every negative count, its digits grouped by thousands.
    const std::string digits = negative_sum_digits(a, b);
    std::string grouped;
    for (size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) grouped += regional.thousands_separator;
        grouped += digits[at];
    }
    return "-" + grouped + regional.decimal_separator + "00 B";
}

std::string decimal_sum(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return std::to_string(sum);
    if (a > 0) return std::to_string(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
    return "-" + negative_sum_digits(a, b);
}

std::string secs_to_str(int64_t seconds) {
    const int64_t hours = seconds / 3600;
    const int64_t minutes = (seconds - hours * 3600) / 60;
    const int64_t rest = seconds - hours * 3600 - minutes * 60;
    // Each field as printf's "%.2lld" writes it: at least two digits, a sign when negative.
    // Written by hand: the now-online grid makes one of these for every device every second.
    char text[64];
    char* end = text + sizeof text;
    char* at = end;
    const auto field = [&at](int64_t value) {
        // The magnitude as unsigned, so that the hours of the least 64-bit number fit.
        uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : value;
        int digits = 0;
        do {
            *--at = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
            ++digits;
        } while (magnitude > 0 || digits < 2);
        if (value < 0) *--at = '-';
    };
    field(rest);
    *--at = ':';
    field(minutes);
    *--at = ':';
    field(hours);
    return std::string(at, end);
}

}  // namespace quorvane
