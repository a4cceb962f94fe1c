#include "traffic/AddressFormat.h"

#include <algorithm>

namespace quorvane {

MacText mac_text(const std::array<uint8_t, 8>& address, uint32_t count) {
    MacText text;
    if (count == 0) {
        constexpr std::string_view none = "00-00-00-00-00-00";
        std::copy(none.begin(), none.end(), text.chars.begin());
        text.size = static_cast<uint8_t>(none.size());
        return text;
    }
    static constexpr char digits[] = "0123456789ABCDEF";
    count = std::min<uint32_t>(count, 8);
    text.size = static_cast<uint8_t>(count * 3 - 1);
    std::fill_n(text.chars.begin(), text.size, '-');
    for (uint32_t i = 0; i < count; ++i) {
        text.chars[i * 3] = digits[address[i] >> 4];
        text.chars[i * 3 + 1] = digits[address[i] & 0xF];
    }
    return text;
}

std::string mac_to_str(const std::array<uint8_t, 8>& address, uint32_t count) {
    return std::string(mac_text(address, count).view());
}

std::string ip_to_str(uint32_t address) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
        if (i) text += '.';
        text += std::to_string((address >> (8 * i)) & 0xFF);
    }
    return text;
}

std::string row_description(const MIB_IFROW& row) {
    if (row.dwDescrLen == 0) return {};
    size_t n = std::min<size_t>(row.dwDescrLen - 1, row.bDescr.size());
    std::string text(row.bDescr.data(), n);
    // A zero byte inside the counted bytes ends the text: nothing after it is readable.
    if (auto z = text.find('\0'); z != std::string::npos) text.resize(z);
    return text;
}

}  // namespace quorvane
