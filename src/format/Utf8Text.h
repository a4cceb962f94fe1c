#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The code point of the UTF-8 sequence that starts at text[at], its length in bytes going
// to `length`. A byte that starts no well-formed sequence (a stray continuation byte, an
// overlong or cut-off sequence, a surrogate, a value past U+10FFFF) gives nullopt and a
// length of 1.
std::optional<char32_t> decode_utf8_at(std::string_view text, size_t at, size_t& length);

// Whether the whole text is well-formed UTF-8 (by decode_utf8_at).
bool is_well_formed_utf8(std::string_view text);

// The text with each byte that is not part of well-formed UTF-8 replaced by U+FFFD, so that
// a file format that must be UTF-8 (the workbook's XML) stays readable.
std::string valid_utf8(std::string_view text);

}  // namespace quorvane
