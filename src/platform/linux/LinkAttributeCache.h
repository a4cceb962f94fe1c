#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/linux/LinuxLink.h"

namespace quorvane {

// The link speed and the wireless mark of each interface, read from its sysfs folder when
// the interface first appears, is renamed or changes its operational state, and otherwise
// kept by interface index.
class LinkAttributeCache {
public:
    explicit LinkAttributeCache(std::filesystem::path root);

    // The links with their speed and wireless mark; entries of interfaces that are no
    // longer listed are dropped.
    std::vector<LinuxLink> complete(std::vector<NetlinkLink> links);
    // How many times a sysfs folder was read, for tests.
    std::size_t folder_reads() const { return m_folder_reads; }

private:
    struct Entry {
        std::string name;
        uint8_t operstate = 0;
        bool wireless = false;
        std::optional<int64_t> speed_mbit;
    };
    Entry read_folder(const NetlinkLink& link);

    std::filesystem::path m_root;
    std::unordered_map<uint32_t, Entry> m_entries;
    std::size_t m_folder_reads = 0;
    // The indexes of the links being completed; kept so a tick reuses its room.
    std::vector<uint32_t> m_present;
};

}  // namespace quorvane
