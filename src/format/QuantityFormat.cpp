#include "format/QuantityFormat.h"

#include <cstdio>

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
int64_t gigabyte_hundredths(int64_t count) {
    int64_t whole = count / gigabyte;
    int64_t rest = (count % gigabyte) * 10000;  // below 2^30 * 10^4
    int64_t frac = rest / gigabyte;
    int64_t remainder = rest % gigabyte;
    if (remainder * 2 > gigabyte || (remainder * 2 == gigabyte && frac % 2 == 1)) ++frac;
    int64_t ten_thousandths = whole * 10000 + frac;
    return (ten_thousandths + 50) / 100;
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
    int64_t value = count < megabyte   ? hundredths(count, kilobyte)
                    : count < gigabyte ? hundredths(count, megabyte)
                                       : gigabyte_hundredths(count);
    const char* unit = count < megabyte ? " KB" : count < gigabyte ? " MB" : " GB";
    return number_picture(false, static_cast<uint64_t>(value / 100),
                          static_cast<unsigned>(value % 100), regional) +
           unit;
}

std::string secs_to_str(int64_t seconds) {
    long long hours = seconds / 3600;
    long long minutes = (seconds - hours * 3600) / 60;
    long long rest = seconds - hours * 3600 - minutes * 60;
    char text[64];
    std::snprintf(text, sizeof text, "%.2lld:%.2lld:%.2lld", hours, minutes, rest);
    return text;
}

}  // namespace quorvane
