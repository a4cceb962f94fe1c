#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "traffic/AddressFormat.h"

#include "platform/DialupDirectory.h"
#include "platform/NetworkTables.h"

namespace quorvane {

inline constexpr const char* kNotFound = "!not_found!";
inline constexpr const char* kUnknown = "unknown";

// Lookups over arrays already read.
// The dotted address of the interface's first row in the sorted table, or "!not_found!".
std::string ip_of_interface(const TMibIPAddrArray& addresses, uint32_t if_index);
// The entry name of the first active connection with that address, or "unknown".
std::string dialup_name_of_ip(const TDialupEntriesArray& connections, const std::string& ip);
// The name of the first adapter whose address text equals mac, or "unknown".
std::string adapter_name_of_mac(const TIP_ADAPTER_INFO_ARR& adapters, const std::string& mac);

// The same lookups on a fresh read of the machine's tables.
std::string ip_of_interface(NetworkTables& tables, uint32_t if_index);
std::string dialup_name_of_ip(DialupDirectory& dialup, const std::string& ip);
std::string adapter_name_of_mac(NetworkTables& tables, const std::string& mac);

// The adapters by address text, ascending; of equal texts the first in list order comes
// first and wins. Kept from one tick to the next, it is sorted again only when the adapter
// list differs from the one it was made of.
class AdapterIndex {
public:
    void update(const TIP_ADAPTER_INFO_ARR& adapters);
    // The name of the adapter with that address text (blanks around it do not count);
    // kUnknown when there is none.
    std::string name_of(std::string_view mac) const;

private:
    struct Adapter {
        MacText address;
        std::string name;
    };
    bool m_made = false;
    TIP_ADAPTER_INFO_ARR m_source;
    std::vector<Adapter> m_sorted;
};

// One tick's view of the machine: the interface and address tables read once, the adapter
// list and the dial-up connections read at their first lookup. Every lookup of the tick is
// answered from it, so a tick's cost grows with the number of interfaces, not its square.
class NetworkSnapshot {
public:
    // `adapters` is the index kept from the last tick, if any.
    NetworkSnapshot(NetworkTables& tables, DialupDirectory& dialup,
                    AdapterIndex* adapters = nullptr);

    const TMIBIfArray& interfaces() const { return m_interfaces; }
    std::string ip_of_interface(uint32_t if_index) const;
    std::string dialup_name_of_ip(const std::string& ip);
    std::string adapter_name_of_mac(std::string_view mac);

private:
    NetworkTables& m_tables;
    DialupDirectory& m_dialup;
    TMIBIfArray m_interfaces;
    // Interface index and the address of its first row in sorted order, ascending by index.
    std::vector<std::pair<uint32_t, uint32_t>> m_address_of;
    AdapterIndex m_own_adapters;
    AdapterIndex& m_adapters;
    bool m_adapters_read = false;
    std::optional<TDialupEntriesArray> m_connections;
};

}  // namespace quorvane
