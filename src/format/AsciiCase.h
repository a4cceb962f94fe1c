#pragma once

#include <string_view>

namespace quorvane {

// Equal texts when ASCII letters are compared without regard to case; every other byte
// must be the same. Names in INI files, command-line switches and service names compare
// this way, whatever the process's locale.
inline bool equals_ignoring_case(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace quorvane
