#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// What sysfs tells about one network interface (a folder below /sys/class/net), read in one
// go. Reading answers nothing when the interface went away while it was being read, so a
// caller never sees half an interface.
struct SysfsInterface {
    std::string name;
    uint32_t ifindex = 0;
    uint32_t arphrd_type = 0;           // ARPHRD_* link type
    bool wireless = false;              // a "wireless" or "phy80211" folder exists
    std::optional<int64_t> speed_mbit;  // absent where the link reports no speed
    std::string address;                // hardware address as sysfs writes it; may be empty
    std::string operstate;              // "up", "down", "unknown", ...
    uint32_t flags = 0;                 // IFF_* flags
    uint64_t rx_bytes = 0;
    uint64_t tx_bytes = 0;
    std::string alias;  // ifalias, empty when none is set

    // The interface named `name` below `root`.
    static std::optional<SysfsInterface> read(const std::filesystem::path& root,
                                              const std::string& name);
    // Every interface below `root`, ascending by ifindex; a missing root gives none.
    static std::vector<SysfsInterface> read_all(const std::filesystem::path& root);

    // Administratively up with a working link ("up", or "unknown" with IFF_UP).
    bool is_up() const;
    // The link is down ("down" or "lowerlayerdown"): no address of it counts.
    bool link_down() const;
};

}  // namespace quorvane
