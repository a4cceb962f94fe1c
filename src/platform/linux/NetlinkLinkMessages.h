#pragma once

#include <cstddef>
#include <vector>

#include "platform/linux/NetlinkLink.h"

namespace quorvane {

// What a buffer of the answer to a link dump (RTM_GETLINK with NLM_F_DUMP) says.
enum class DumpProgress { more, done, failed };

// Appends the links of one received buffer of netlink messages. A link message without a
// name or without its 64-bit counters is left out, so a reader never sees half a link.
// Answers done at the end of the dump, failed on an error message or a malformed buffer.
DumpProgress parse_link_messages(const void* data, std::size_t size,
                                 std::vector<NetlinkLink>& links);

}  // namespace quorvane
