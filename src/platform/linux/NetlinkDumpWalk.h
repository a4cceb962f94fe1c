#pragma once

#include <cstddef>
#include <cstdint>

#include <linux/netlink.h>

#include "platform/linux/NetlinkLinkMessages.h"

namespace quorvane {

// Walks one buffer of a netlink dump answer and hands each message of type `wanted` to
// `take`. The answer is done at NLMSG_DONE; an error message, an interrupted dump (the
// tables changed meanwhile) or bytes that make no whole message fail it; otherwise more
// buffers follow.
template <typename Take>
DumpProgress walk_dump(const void* data, std::size_t size, std::uint16_t wanted, Take&& take) {
    int length = static_cast<int>(size);
    for (auto* header = static_cast<const nlmsghdr*>(data); NLMSG_OK(header, length);
         header = NLMSG_NEXT(header, length)) {
        if (header->nlmsg_type == NLMSG_DONE) return DumpProgress::done;
        if (header->nlmsg_type == NLMSG_ERROR) return DumpProgress::failed;
        if (header->nlmsg_type == wanted) take(header);
        if (header->nlmsg_flags & NLM_F_DUMP_INTR) return DumpProgress::failed;
    }
    return length == 0 ? DumpProgress::more : DumpProgress::failed;
}

}  // namespace quorvane
