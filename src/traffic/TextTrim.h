#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The part of the text without leading and trailing blanks and control characters.
inline std::string_view trimmed_view(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

// The text without leading and trailing blanks and control characters.
inline std::string trim_blanks(std::string_view text) {
    return std::string(trimmed_view(text));
}

}  // namespace quorvane
