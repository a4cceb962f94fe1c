#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "config/IniFile.h"
#include "format/AsciiCase.h"
#include "format/RegionalSettings.h"
#include "usage/Tariff.h"

namespace quorvane {

// Hashes and compares device names without regard to ASCII letter case, as the sections
// of the INI file match.
struct AsciiCaseHash {
    size_t operator()(std::string_view name) const;
};
struct AsciiCaseEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        return equals_ignoring_case(a, b);
    }
};

// The tariffs of one refresh: each device's section is read at its first use and kept for
// the rest of the refresh (section names match without regard to ASCII letter case, as in
// the INI file). A new book for each refresh, so a tariff saved meanwhile counts from the
// next one.
class TariffBook {
public:
    TariffBook(std::string dev_ini_path, RegionalSettings regional);

    // Throws ConversionError when a value of the section does not convert.
    const Tariff& tariff_of(const std::string& device);

private:
    IniFile m_ini;
    RegionalSettings m_regional;
    // By name, ASCII letter case ignored; looking a row's name up copies nothing.
    std::unordered_map<std::string, Tariff, AsciiCaseHash, AsciiCaseEqual> m_tariffs;
};

}  // namespace quorvane
