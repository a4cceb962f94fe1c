#include "platform/linux/IfRowMapping.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <linux/if.h>
#include <net/if_arp.h>

namespace quorvane::if_row_mapping {

namespace {

constexpr uint32_t type_other = 1;
constexpr uint32_t type_ethernet = 6;
constexpr uint32_t type_token_ring = 9;
constexpr uint32_t type_fddi = 15;
constexpr uint32_t type_ppp = 23;
constexpr uint32_t type_loopback = 24;
constexpr uint32_t type_slip = 28;
constexpr uint32_t type_wireless = 71;

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

uint32_t if_type(uint32_t arphrd_type, bool wireless) {
    switch (arphrd_type) {
        case ARPHRD_ETHER:
            return wireless ? type_wireless : type_ethernet;
        case ARPHRD_LOOPBACK:
            return type_loopback;
        case ARPHRD_PPP:
        case ARPHRD_NONE:  // point-to-point tunnels without a hardware address
            return type_ppp;
        case ARPHRD_SLIP:
        case ARPHRD_CSLIP:
        case ARPHRD_SLIP6:
        case ARPHRD_CSLIP6:
            return type_slip;
        case ARPHRD_IEEE802_TR:
            return type_token_ring;
        case ARPHRD_FDDI:
            return type_fddi;
        default:
            return type_other;
    }
}

uint32_t oper_status(uint8_t operstate, uint32_t flags) {
    switch (operstate) {
        case IF_OPER_UP:
            return 5;
        case IF_OPER_DORMANT:
            return 3;
        case IF_OPER_DOWN:
        case IF_OPER_LOWERLAYERDOWN:
        case IF_OPER_TESTING:
            return 2;
        case IF_OPER_NOTPRESENT:
            return 0;
        default:
            // Unknown (links that keep no state, such as the loopback and tun) and anything new.
            return (flags & IFF_UP) != 0 ? 5 : 0;
    }
}

uint32_t speed_bits(std::optional<int64_t> speed_mbit) {
    constexpr uint64_t most = std::numeric_limits<uint32_t>::max();
    if (!speed_mbit || *speed_mbit <= 0) return 0;
    const auto mbit = static_cast<uint64_t>(*speed_mbit);
    if (mbit > most / 1000000) return static_cast<uint32_t>(most);
    return static_cast<uint32_t>(mbit * 1000000);
}

uint32_t parse_hardware_address(const std::string& text, std::array<uint8_t, 8>& bytes) {
    bytes.fill(0);
    std::array<uint8_t, 8> parsed{};
    uint32_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (pos + 2 > text.size()) return 0;
        int high = hex_digit(text[pos]);
        int low = hex_digit(text[pos + 1]);
        if (high < 0 || low < 0) return 0;
        if (count < parsed.size()) parsed[count] = static_cast<uint8_t>(high * 16 + low);
        ++count;
        pos += 2;
        if (pos == text.size()) break;
        if (text[pos] != ':' || pos + 1 == text.size()) return 0;
        ++pos;
    }
    bytes = parsed;
    return std::min<uint32_t>(count, static_cast<uint32_t>(parsed.size()));
}

MIB_IFROW make_row(const LinuxLink& item) {
    MIB_IFROW row;
    row.dwIndex = item.ifindex;
    row.dwType = if_type(item.arphrd_type, item.wireless);
    row.dwSpeed = speed_bits(item.speed_mbit);
    row.dwPhysAddrLen = static_cast<uint32_t>(std::min(item.address.size(), row.bPhysAddr.size()));
    std::copy_n(item.address.begin(), row.dwPhysAddrLen, row.bPhysAddr.begin());
    row.dwOperStatus = oper_status(item.operstate, item.flags);
    row.dwInOctets = static_cast<uint32_t>(item.rx_bytes);
    row.dwOutOctets = static_cast<uint32_t>(item.tx_bytes);
    row.has_octets64 = true;
    row.in_octets64 = item.rx_bytes;
    row.out_octets64 = item.tx_bytes;
    const std::size_t length = std::min(item.name.size(), row.bDescr.size() - 1);
    std::memcpy(row.bDescr.data(), item.name.data(), length);
    row.bDescr[length] = '\0';
    row.dwDescrLen = static_cast<uint32_t>(length + 1);
    return row;
}

}  // namespace quorvane::if_row_mapping
