#include "traffic/NetworkSnapshot.h"

#include "traffic/AddressFormat.h"
#include "traffic/TextTrim.h"

namespace quorvane {

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
        if (mac_to_str(a.Address, a.AddressLength) == wanted) {
            auto name = a.AdapterName.substr(0, a.AdapterName.find('\0'));
            return trim_blanks(name);
        }
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

NetworkSnapshot::NetworkSnapshot(NetworkTables& tables, DialupDirectory& dialup)
    : m_tables(tables), m_dialup(dialup) {
    m_tables.read_if_table(m_interfaces);
    if (!m_interfaces.empty()) m_tables.read_ip_addr_table(m_addresses);
}

std::string NetworkSnapshot::ip_of_interface(uint32_t if_index) const {
    return quorvane::ip_of_interface(m_addresses, if_index);
}

std::string NetworkSnapshot::dialup_name_of_ip(const std::string& ip) {
    if (!m_connections) {
        m_connections.emplace();
        m_dialup.read_dialup_connections(*m_connections);
    }
    return quorvane::dialup_name_of_ip(*m_connections, ip);
}

std::string NetworkSnapshot::adapter_name_of_mac(const std::string& mac) {
    if (!m_adapters) {
        m_adapters.emplace();
        m_tables.read_adapters_info(*m_adapters);
    }
    return quorvane::adapter_name_of_mac(*m_adapters, mac);
}

}  // namespace quorvane
