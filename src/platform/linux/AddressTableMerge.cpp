#include "platform/linux/AddressTableMerge.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace quorvane {

TMibIPAddrArray merge_address_table(const std::vector<LinuxLink>& interfaces,
                                    const std::vector<InterfaceAddress>& addresses) {
    // The addresses under the name of their interface (a label such as "eth0:1" names
    // "eth0"), ascending by that name; the names are views into `addresses`.
    std::vector<std::pair<std::string_view, uint32_t>> by_name;
    by_name.reserve(addresses.size());
    for (const auto& item : addresses) {
        const std::string_view label = item.name;
        by_name.emplace_back(label.substr(0, label.find(':')), item.address);
    }
    std::sort(by_name.begin(), by_name.end());

    TMibIPAddrArray table;
    table.reserve(interfaces.size() + addresses.size());
    for (const auto& item : interfaces) {
        const std::string_view name = item.name;
        auto first =
            std::lower_bound(by_name.begin(), by_name.end(), name,
                             [](const auto& a, std::string_view n) { return a.first < n; });
        if (item.link_down() || first == by_name.end() || first->first != name) {
            table.push_back({0, item.ifindex});
            continue;
        }
        for (; first != by_name.end() && first->first == name; ++first)
            table.push_back({first->second, item.ifindex});
    }
    std::sort(table.begin(), table.end(), [](const auto& a, const auto& b) {
        return a.dwAddr != b.dwAddr ? a.dwAddr < b.dwAddr : a.dwIndex < b.dwIndex;
    });
    return table;
}

}  // namespace quorvane
