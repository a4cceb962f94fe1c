#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvane {

// A stored text that does not convert; the message names the bad text.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decimal integer (optional blanks around, optional sign); anything else throws
// ConversionError with "'<text>' is not a valid integer value".
int str_to_int(const std::string& text);

// A decimal amount as ten-thousandths: optional blanks, an optional sign, digits, optionally
// the regional decimal separator and more digits, optionally an exponent ("E" or "e", an
// optional sign, digits), optional blanks; no thousands separators. More than four decimals
// are rounded to four (halves to even). Anything else, or a value past the range of 64-bit
// ten-thousandths, throws ConversionError with "'<text>' is not a valid floating point value".
int64_t str_to_amount(const std::string& text, const std::string& decimal_separator);

}  // namespace quorvane
