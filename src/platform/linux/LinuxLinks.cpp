#include "platform/linux/LinuxLinks.h"

#include <algorithm>
#include <utility>

#include "platform/linux/NetlinkLinkDump.h"

namespace quorvane {

LinuxLinks::LinuxLinks() : LinuxLinks(kernel_sources()) {}

LinuxLinks::LinuxLinks(KernelSources kernel)
    : LinuxLinks(std::move(kernel.links), "/sys/class/net", std::move(kernel.addresses)) {}

LinuxLinks::LinuxLinks(LinkSource links, std::filesystem::path sysfs_root, AddressSource addresses)
    : m_source(std::move(links)),
      m_addresses(std::move(addresses)),
      m_attributes(std::move(sysfs_root)) {}

const LinkReading& LinuxLinks::read() {
    LinkReading reading;
    try {
        auto links = m_source ? m_source() : std::nullopt;
        if (links) {
            std::sort(links->begin(), links->end(), [](const auto& a, const auto& b) {
                return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
            });
            reading.links = m_attributes.complete(std::move(*links));
        }
        reading.addresses = m_addresses ? m_addresses() : std::nullopt;
    } catch (const std::exception&) {
        reading = LinkReading{};
    }
    m_reading = std::move(reading);
    const auto& links = m_reading->links;
    m_by_name.resize(links.size());
    for (std::size_t i = 0; i < links.size(); ++i) m_by_name[i] = i;
    std::stable_sort(m_by_name.begin(), m_by_name.end(),
                     [&](std::size_t a, std::size_t b) { return links[a].name < links[b].name; });
    return *m_reading;
}

const LinkReading& LinuxLinks::last() {
    if (!m_reading) return read();
    return *m_reading;
}

const LinuxLink* LinuxLinks::find(const std::string& name) {
    const auto& links = last().links;
    auto found = std::lower_bound(
        m_by_name.begin(), m_by_name.end(), name,
        [&](std::size_t at, const std::string& wanted) { return links[at].name < wanted; });
    return found != m_by_name.end() && links[*found].name == name ? &links[*found] : nullptr;
}

}  // namespace quorvane
