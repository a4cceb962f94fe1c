#include "platform/linux/InterfaceAddresses.h"

#include <cstring>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <sys/socket.h>

namespace quorvane::interface_addresses {

std::optional<std::vector<InterfaceAddress>> read_ipv4() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return std::nullopt;
    std::optional<std::vector<InterfaceAddress>> result;
    try {
        std::vector<InterfaceAddress> found;
        for (const ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
            // tun and PPP links come without an address record.
            if (item->ifa_addr == nullptr || item->ifa_name == nullptr) continue;
            if (item->ifa_addr->sa_family != AF_INET) continue;
            sockaddr_in in{};
            std::memcpy(&in, item->ifa_addr, sizeof in);
            found.push_back({item->ifa_name, in.sin_addr.s_addr});
        }
        result = std::move(found);
    } catch (const std::exception&) {
        result.reset();
    }
    freeifaddrs(list);
    return result;
}

std::string interface_of(const std::string& label) {
    return label.substr(0, label.find(':'));
}

std::string dotted(uint32_t address) {
    in_addr in{};
    in.s_addr = address;
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &in, text, sizeof text) == nullptr) return {};
    return text;
}

}  // namespace quorvane::interface_addresses
