#include "usage/TariffBook.h"

#include <utility>

namespace quorvane {

size_t AsciiCaseHash::operator()(std::string_view name) const {
    // FNV-1a over the ASCII-lower-cased bytes: names that compare equal hash alike.
    size_t hash = 14695981039346656037ull;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

TariffBook::TariffBook(std::string dev_ini_path, RegionalSettings regional)
    : m_ini(std::move(dev_ini_path)), m_regional(std::move(regional)) {}

const Tariff& TariffBook::tariff_of(const std::string& device) {
    auto found = m_tariffs.find(device);
    if (found == m_tariffs.end()) {
        // Read before inserting: a section that does not convert is not kept.
        found = m_tariffs.emplace(device, read_tariff(m_ini, device, m_regional)).first;
    }
    return found->second;
}

}  // namespace quorvane
