#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace quorvane::test {

// One interface folder as sysfs shows it. Empty texts and absent values leave the file out.
struct FakeLink {
    std::string name = "eth0";
    uint32_t ifindex = 2;
    uint32_t type = 1;  // ARPHRD_ETHER
    std::string operstate = "up";
    std::string flags = "0x1003";  // IFF_UP | IFF_BROADCAST | IFF_MULTICAST
    std::optional<std::string> speed = "1000";
    std::optional<std::string> address = "00:0c:29:ab:cd:ef";
    uint64_t rx_bytes = 0;
    uint64_t tx_bytes = 0;
    std::optional<std::string> alias = "";
    std::string folder;  // an extra subfolder, such as "wireless" or "phy80211"
};

// A fake /sys/class/net inside a temporary folder.
class FakeSysfs {
public:
    explicit FakeSysfs(const TempDir& dir) : m_dir(dir) {}

    std::filesystem::path root() const { return m_dir.path() / "net"; }
    // Writes the folder of a link, each file with its trailing line end as sysfs has it.
    void add(const FakeLink& link) const;
    // Removes one file of a link (relative to its folder).
    void remove(const std::string& link, const std::string& file) const;

private:
    const TempDir& m_dir;
};

// An address as sin_addr stores it, from its dotted text.
uint32_t stored(const char* dotted);

}  // namespace quorvane::test
