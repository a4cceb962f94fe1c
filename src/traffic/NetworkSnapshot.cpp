#include "traffic/NetworkSnapshot.h"

#include <algorithm>

#include "traffic/AddressFormat.h"
#include "traffic/TextTrim.h"

namespace quorvane {

namespace {

// The adapter's name up to its first zero character, stripped.
std::string adapter_name(const IP_ADAPTER_INFO& adapter) {
    return trim_blanks(adapter.AdapterName.substr(0, adapter.AdapterName.find('\0')));
}

}  // namespace

std::string ip_of_interface(const TMibIPAddrArray& addresses, uint32_t if_index) {
    for (const auto& row : addresses)
        if (row.dwIndex == if_index) return ip_to_str(row.dwAddr);
    return kNotFound;
}

std::string dialup_name_of_ip(const TDialupEntriesArray& connections, const std::string& ip) {
    const std::string wanted = trim_blanks(ip);
    for (const auto& c : connections)
        if (trim_blanks(c.ip_address) == wanted) return c.entry_name;
    return kUnknown;
}

std::string adapter_name_of_mac(const TIP_ADAPTER_INFO_ARR& adapters, const std::string& mac) {
    const std::string wanted = trim_blanks(mac);
    for (const auto& a : adapters) {
        if (mac_to_str(a.Address, a.AddressLength) == wanted) return adapter_name(a);
    }
    return kUnknown;
}

std::string ip_of_interface(NetworkTables& tables, uint32_t if_index) {
    TMibIPAddrArray addresses;
    tables.read_ip_addr_table(addresses);
    return ip_of_interface(addresses, if_index);
}

std::string dialup_name_of_ip(DialupDirectory& dialup, const std::string& ip) {
    TDialupEntriesArray connections;
    dialup.read_dialup_connections(connections);
    return dialup_name_of_ip(connections, ip);
}

std::string adapter_name_of_mac(NetworkTables& tables, const std::string& mac) {
    TIP_ADAPTER_INFO_ARR adapters;
    tables.read_adapters_info(adapters);
    return adapter_name_of_mac(adapters, mac);
}

void AdapterIndex::update(const TIP_ADAPTER_INFO_ARR& adapters) {
    if (m_made && adapters == m_source) return;
    m_source = adapters;
    m_made = true;
    m_sorted.clear();
    m_sorted.reserve(adapters.size());
    for (const auto& a : adapters)
        m_sorted.push_back({mac_text(a.Address, a.AddressLength), adapter_name(a)});
    std::stable_sort(m_sorted.begin(), m_sorted.end(), [](const Adapter& a, const Adapter& b) {
        return a.address.view() < b.address.view();
    });
}

std::string AdapterIndex::name_of(std::string_view mac) const {
    const std::string_view wanted = trimmed_view(mac);
    auto found = std::lower_bound(m_sorted.begin(), m_sorted.end(), wanted,
                                  [](const Adapter& adapter, std::string_view text) {
                                      return adapter.address.view() < text;
                                  });
    if (found == m_sorted.end() || found->address.view() != wanted) return kUnknown;
    return found->name;
}

NetworkSnapshot::NetworkSnapshot(NetworkTables& tables, DialupDirectory& dialup,
                                 AdapterIndex* adapters)
    : m_tables(tables), m_dialup(dialup), m_adapters(adapters ? *adapters : m_own_adapters) {
    m_tables.read_if_table(m_interfaces);
    if (m_interfaces.empty()) return;
    TMibIPAddrArray addresses;
    m_tables.read_ip_addr_table(addresses);
    m_address_of.reserve(addresses.size());
    for (const auto& row : addresses) m_address_of.emplace_back(row.dwIndex, row.dwAddr);
    // The stable sort keeps each interface's rows in table order, so its first row leads.
    std::stable_sort(m_address_of.begin(), m_address_of.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    m_address_of.erase(std::unique(m_address_of.begin(), m_address_of.end(),
                                   [](const auto& a, const auto& b) { return a.first == b.first; }),
                       m_address_of.end());
}

std::string NetworkSnapshot::ip_of_interface(uint32_t if_index) const {
    auto found =
        std::lower_bound(m_address_of.begin(), m_address_of.end(), if_index,
                         [](const auto& row, uint32_t index) { return row.first < index; });
    if (found == m_address_of.end() || found->first != if_index) return kNotFound;
    return ip_to_str(found->second);
}

std::string NetworkSnapshot::dialup_name_of_ip(const std::string& ip) {
    if (!m_connections) {
        m_connections.emplace();
        m_dialup.read_dialup_connections(*m_connections);
    }
    return quorvane::dialup_name_of_ip(*m_connections, ip);
}

std::string NetworkSnapshot::adapter_name_of_mac(std::string_view mac) {
    if (!m_adapters_read) {
        TIP_ADAPTER_INFO_ARR adapters;
        m_tables.read_adapters_info(adapters);
        m_adapters.update(adapters);
        m_adapters_read = true;
    }
    return m_adapters.name_of(mac);
}

}  // namespace quorvane
