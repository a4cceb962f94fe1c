#include "format/Utf8Text.h"

namespace quorvane {

std::optional<char32_t> decode_utf8_at(std::string_view text, size_t at, size_t& length) {
    length = 1;
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return lead;
    size_t follow = 0;
    char32_t point = 0;
    char32_t least = 0;  // the smallest code point of that length: shorter is overlong
    if (lead >= 0xC2 && lead <= 0xDF) {
        follow = 1, point = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        follow = 2, point = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        follow = 3, point = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + follow >= text.size()) return std::nullopt;  // cut off
    for (size_t i = 1; i <= follow; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        point = point << 6 | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return std::nullopt;
    }
    length = follow + 1;
    return point;
}

bool is_well_formed_utf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        size_t length = 1;
        if (!decode_utf8_at(text, at, length)) return false;
        at += length;
    }
    return true;
}

std::string valid_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        size_t length = 1;
        if (decode_utf8_at(text, at, length)) {
            out.append(text.substr(at, length));
        } else {
            out.append("\xEF\xBF\xBD");
        }
        at += length;
    }
    return out;
}

}  // namespace quorvane
