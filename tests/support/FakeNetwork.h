#pragma once

#include <map>
#include <string>

#include "platform/ConnectionNames.h"
#include "platform/DialupDirectory.h"
#include "platform/NetworkTables.h"

namespace quorvane::test {

// A machine whose tables the test writes. Counts how often each table is read.
class FakeNetwork : public NetworkTables, public ConnectionNames, public DialupDirectory {
public:
    // Room for every interface a test adds, so references to rows stay valid.
    FakeNetwork() { interfaces.reserve(1024); }

    void read_if_table(TMIBIfArray& table) override {
        ++if_reads;
        table = interfaces;
    }
    void read_ip_addr_table(TMibIPAddrArray& table) override {
        ++addr_reads;
        table = addresses;
    }
    void read_adapters_info(TIP_ADAPTER_INFO_ARR& list) override {
        ++adapter_reads;
        list = adapters;
    }
    std::string connection_name(const std::string& adapter_name) override {
        ++name_reads;
        auto it = names.find(adapter_name);
        return it == names.end() ? std::string() : it->second;
    }
    void read_dialup_connections(TDialupEntriesArray& list) override {
        ++dialup_reads;
        list = dialup_connections;
    }
    void read_dialup_entries(TDialupEntriesArray& list) override { list = phone_book; }

    // Adds an Ethernet interface with a MAC, an adapter named after it and a connection name.
    MIB_IFROW& add_ethernet(uint32_t index, const std::string& name, uint32_t address);
    // Adds a row of another type with a description and no adapter.
    MIB_IFROW& add_interface(uint32_t index, uint32_t type, const std::string& descr,
                             uint32_t address);
    // Sets or replaces the address of an interface (0 for offline); the table stays sorted.
    void set_address(uint32_t index, uint32_t address);
    void remove_interface(uint32_t index);
    MIB_IFROW& row(uint32_t index);

    TMIBIfArray interfaces;
    TMibIPAddrArray addresses;
    TIP_ADAPTER_INFO_ARR adapters;
    std::map<std::string, std::string> names;
    TDialupEntriesArray dialup_connections;
    TDialupEntriesArray phone_book;
    int if_reads = 0, addr_reads = 0, adapter_reads = 0, name_reads = 0, dialup_reads = 0;
};

// 192.168.0.1 as the address table stores it (first octet in the lowest byte).
uint32_t ipv4(int a, int b, int c, int d);
// Sets the description the way the platform does (length counts a terminating zero).
void set_descr(MIB_IFROW& row, const std::string& text);

}  // namespace quorvane::test
