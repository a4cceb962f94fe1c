#include "platform/linux/NetlinkNetworkTables.h"

#include <algorithm>
#include <utility>

#include "platform/linux/AddressTableMerge.h"
#include "platform/linux/IfRowMapping.h"

namespace quorvane {

namespace {

constexpr uint32_t type_loopback = 24;

}  // namespace

void NetlinkNetworkTables::read_if_table(TMIBIfArray& table) {
    table.clear();
    try {
        TMIBIfArray rows;
        const auto& links = m_links.read().links;
        rows.reserve(links.size());
        for (const auto& item : links) rows.push_back(if_row_mapping::make_row(item));
        table = std::move(rows);
    } catch (const std::exception&) {
        table.clear();
    }
}

void NetlinkNetworkTables::read_ip_addr_table(TMibIPAddrArray& table) {
    table.clear();
    try {
        const auto& reading = m_links.last();
        if (!reading.addresses) return;
        // Merged again only when the links or addresses changed.
        if (m_merged_generation != m_links.generation()) {
            m_merged_generation.reset();
            m_merged = merge_address_table(reading.links, *reading.addresses);
            m_merged_generation = m_links.generation();
        }
        table = m_merged;
    } catch (const std::exception&) {
        table.clear();
    }
}

void NetlinkNetworkTables::read_adapters_info(TIP_ADAPTER_INFO_ARR& adapters) {
    adapters.clear();
    try {
        TIP_ADAPTER_INFO_ARR list;
        const auto& links = m_links.last().links;
        list.reserve(links.size());
        for (const auto& item : links) {
            const auto type = if_row_mapping::if_type(item.arphrd_type, item.wireless);
            const std::size_t length = std::min<std::size_t>(item.address.size(), 8);
            const bool all_zero = std::all_of(item.address.begin(), item.address.begin() + length,
                                              [](uint8_t b) { return b == 0; });
            if (type == type_loopback || length == 0 || all_zero) continue;
            IP_ADAPTER_INFO adapter;
            adapter.AdapterName = item.name;
            adapter.AddressLength = static_cast<uint32_t>(length);
            std::copy_n(item.address.begin(), length, adapter.Address.begin());
            list.push_back(std::move(adapter));
        }
        adapters = std::move(list);
    } catch (const std::exception&) {
        adapters.clear();
    }
}

}  // namespace quorvane
