#include "platform/linux/AddressTableMerge.h"

#include <algorithm>
#include <map>
#include <string>

namespace quorvane {

TMibIPAddrArray merge_address_table(const std::vector<LinuxLink>& interfaces,
                                    const std::vector<InterfaceAddress>& addresses) {
    std::map<std::string, std::vector<uint32_t>> by_name;
    for (const auto& item : addresses)
        by_name[interface_addresses::interface_of(item.name)].push_back(item.address);

    TMibIPAddrArray table;
    for (const auto& item : interfaces) {
        auto found = by_name.find(item.name);
        if (item.link_down() || found == by_name.end()) {
            table.push_back({0, item.ifindex});
            continue;
        }
        for (uint32_t address : found->second) table.push_back({address, item.ifindex});
    }
    std::stable_sort(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.dwAddr != b.dwAddr ? a.dwAddr < b.dwAddr : a.dwIndex < b.dwIndex;
    });
    return table;
}

}  // namespace quorvane
