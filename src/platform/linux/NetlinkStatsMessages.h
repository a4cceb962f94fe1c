#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane {

// The byte counters of one link, as a statistics dump gives them.
struct LinkCounters {
    uint32_t ifindex = 0;
    uint64_t rx_bytes = 0;
    uint64_t tx_bytes = 0;
};

// Appends the counters of one received buffer of the answer to a statistics dump
// (RTM_GETSTATS with NLM_F_DUMP, asking for the 64-bit link counters only). A message
// without them is left out. Answers done at the end of the dump, failed on an error message
// (a kernel without statistics dumps answers so) or a malformed buffer.
DumpProgress parse_stats_messages(const void* data, std::size_t size,
                                  std::vector<LinkCounters>& counters);

}  // namespace quorvane
