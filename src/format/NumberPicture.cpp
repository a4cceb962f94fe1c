#include "format/NumberPicture.h"

#include <cstdio>

namespace quorvane {

std::string number_picture(bool negative, uint64_t whole, unsigned hundredths,
                           const RegionalSettings& regional) {
    std::string digits = std::to_string(whole);
    std::string text = negative ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += regional.thousands_separator;
        text += digits[i];
    }
    char decimals[3];
    std::snprintf(decimals, sizeof decimals, "%02u", hundredths % 100);
    return text + regional.decimal_separator + decimals;
}

}  // namespace quorvane
