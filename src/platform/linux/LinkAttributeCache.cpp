#include "platform/linux/LinkAttributeCache.h"

#include <algorithm>
#include <utility>

#include "platform/linux/SysfsFile.h"

namespace quorvane {

LinkAttributeCache::LinkAttributeCache(std::filesystem::path root) : m_root(std::move(root)) {}

LinkAttributeCache::Entry LinkAttributeCache::read_folder(const NetlinkLink& link) {
    ++m_folder_reads;
    Entry entry;
    entry.name = link.name;
    entry.operstate = link.operstate;
    try {
        const auto dir = m_root / link.name;
        std::error_code ec;
        entry.wireless = std::filesystem::is_directory(dir / "wireless", ec) ||
                         std::filesystem::is_directory(dir / "phy80211", ec);
        entry.speed_mbit = sysfs_file::read_signed(dir / "speed");
    } catch (const std::exception&) {
        // A name that makes no path: no speed, not wireless.
    }
    return entry;
}

std::vector<LinuxLink> LinkAttributeCache::complete(std::vector<NetlinkLink> links) {
    std::vector<LinuxLink> result;
    result.reserve(links.size());
    m_present.clear();
    for (auto& link : links) {
        m_present.push_back(link.ifindex);
        auto found = m_entries.find(link.ifindex);
        if (found == m_entries.end() || found->second.name != link.name ||
            found->second.operstate != link.operstate) {
            found = m_entries.insert_or_assign(link.ifindex, read_folder(link)).first;
        }
        LinuxLink item;
        static_cast<NetlinkLink&>(item) = std::move(link);
        item.wireless = found->second.wireless;
        item.speed_mbit = found->second.speed_mbit;
        result.push_back(std::move(item));
    }
    std::sort(m_present.begin(), m_present.end());
    std::erase_if(m_entries, [&](const auto& entry) {
        return !std::binary_search(m_present.begin(), m_present.end(), entry.first);
    });
    return result;
}

}  // namespace quorvane
