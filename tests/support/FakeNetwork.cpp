#include "support/FakeNetwork.h"

#include <algorithm>
#include <cstring>

namespace quorvane::test {

uint32_t ipv4(int a, int b, int c, int d) {
    return uint32_t(a) | uint32_t(b) << 8 | uint32_t(c) << 16 | uint32_t(d) << 24;
}

void set_descr(MIB_IFROW& row, const std::string& text) {
    row.bDescr.fill(0);
    auto n = std::min(text.size(), row.bDescr.size() - 1);
    std::memcpy(row.bDescr.data(), text.data(), n);
    row.dwDescrLen = uint32_t(n + 1);
}

MIB_IFROW& FakeNetwork::add_interface(uint32_t index, uint32_t type, const std::string& descr,
                                      uint32_t address) {
    MIB_IFROW r;
    r.dwIndex = index;
    r.dwType = type;
    r.dwSpeed = 100000000;
    r.dwOperStatus = 5;
    set_descr(r, descr);
    interfaces.push_back(r);
    set_address(index, address);
    return interfaces.back();
}

MIB_IFROW& FakeNetwork::add_ethernet(uint32_t index, const std::string& name, uint32_t address) {
    auto& r = add_interface(index, 6, name, address);
    r.dwPhysAddrLen = 6;
    r.bPhysAddr = {0x00, 0x0C, 0x29, 0x00, uint8_t(index >> 8), uint8_t(index), 0, 0};
    IP_ADAPTER_INFO a;
    a.AdapterName = "{adapter-" + name + "}";
    a.AddressLength = 6;
    a.Address = r.bPhysAddr;
    adapters.push_back(a);
    names[a.AdapterName] = name;
    return r;
}

void FakeNetwork::set_address(uint32_t index, uint32_t address) {
    std::erase_if(addresses, [&](const MIB_IPADDRROW& a) { return a.dwIndex == index; });
    addresses.push_back({address, index});
    std::sort(addresses.begin(), addresses.end(),
              [](const MIB_IPADDRROW& a, const MIB_IPADDRROW& b) { return a.dwAddr < b.dwAddr; });
}

void FakeNetwork::remove_interface(uint32_t index) {
    std::erase_if(interfaces, [&](const MIB_IFROW& r) { return r.dwIndex == index; });
    std::erase_if(addresses, [&](const MIB_IPADDRROW& a) { return a.dwIndex == index; });
}

MIB_IFROW& FakeNetwork::row(uint32_t index) {
    return *std::find_if(interfaces.begin(), interfaces.end(),
                         [&](const MIB_IFROW& r) { return r.dwIndex == index; });
}

}  // namespace quorvane::test
