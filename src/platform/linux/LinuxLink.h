#pragma once

#include <cstdint>
#include <optional>

#include "platform/linux/NetlinkLink.h"

namespace quorvane {

// One network interface of a reading: what rtnetlink tells, plus the two facts only sysfs
// has (kept from the interface's first appearance or its last change of state).
struct LinuxLink : NetlinkLink {
    bool wireless = false;              // a "wireless" or "phy80211" folder exists
    std::optional<int64_t> speed_mbit;  // absent where the link reports no speed

    // Administratively up with a working link (up, or unknown with IFF_UP).
    bool is_up() const;
    // The link is down (down or lowerlayerdown): no address of it counts.
    bool link_down() const;
};

}  // namespace quorvane
