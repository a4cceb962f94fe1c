#pragma once

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

}  // namespace quorvane
