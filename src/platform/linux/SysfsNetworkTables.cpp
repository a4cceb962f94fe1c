#include "platform/linux/SysfsNetworkTables.h"

#include <algorithm>
#include <utility>

#include "platform/linux/AddressTableMerge.h"
#include "platform/linux/IfRowMapping.h"
#include "platform/linux/SysfsInterface.h"

namespace quorvane {

namespace {

constexpr uint32_t type_loopback = 24;

}  // namespace

SysfsNetworkTables::SysfsNetworkTables(std::filesystem::path root, AddressSource addresses)
    : m_root(std::move(root)), m_addresses(std::move(addresses)) {}

void SysfsNetworkTables::read_if_table(TMIBIfArray& table) {
    table.clear();
    try {
        TMIBIfArray rows;
        for (const auto& item : SysfsInterface::read_all(m_root))
            rows.push_back(if_row_mapping::make_row(item));
        table = std::move(rows);
    } catch (const std::exception&) {
        table.clear();
    }
}

void SysfsNetworkTables::read_ip_addr_table(TMibIPAddrArray& table) {
    table.clear();
    try {
        auto addresses = m_addresses ? m_addresses() : std::nullopt;
        if (!addresses) return;
        table = merge_address_table(SysfsInterface::read_all(m_root), *addresses);
    } catch (const std::exception&) {
        table.clear();
    }
}

void SysfsNetworkTables::read_adapters_info(TIP_ADAPTER_INFO_ARR& adapters) {
    adapters.clear();
    try {
        TIP_ADAPTER_INFO_ARR list;
        for (const auto& item : SysfsInterface::read_all(m_root)) {
            const MIB_IFROW row = if_row_mapping::make_row(item);
            const auto used = row.bPhysAddr.begin() + row.dwPhysAddrLen;
            const bool all_zero =
                std::all_of(row.bPhysAddr.begin(), used, [](uint8_t b) { return b == 0; });
            if (row.dwType == type_loopback || row.dwPhysAddrLen == 0 || all_zero) continue;
            IP_ADAPTER_INFO adapter;
            adapter.AdapterName = item.name;
            adapter.AddressLength = row.dwPhysAddrLen;
            adapter.Address = row.bPhysAddr;
            list.push_back(std::move(adapter));
        }
        adapters = std::move(list);
    } catch (const std::exception&) {
        adapters.clear();
    }
}

}  // namespace quorvane
