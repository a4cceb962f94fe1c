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

namespace {

bool same_but_counters(const LinuxLink& a, const LinuxLink& b) {
    return a.ifindex == b.ifindex && a.name == b.name && a.arphrd_type == b.arphrd_type &&
           a.flags == b.flags && a.operstate == b.operstate && a.address == b.address &&
           a.alias == b.alias && a.wireless == b.wireless && a.speed_mbit == b.speed_mbit;
}

bool same_addresses(const std::optional<std::vector<InterfaceAddress>>& a,
                    const std::optional<std::vector<InterfaceAddress>>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return std::equal(a->begin(), a->end(), b->begin(), b->end(), [](const auto& x, const auto& y) {
        return x.address == y.address && x.name == y.name;
    });
}

bool same_but_counters(const LinkReading& a, const LinkReading& b) {
    return std::equal(
               a.links.begin(), a.links.end(), b.links.begin(), b.links.end(),
               [](const LinuxLink& x, const LinuxLink& y) { return same_but_counters(x, y); }) &&
           same_addresses(a.addresses, b.addresses);
}

}  // namespace

const LinkReading& LinuxLinks::read() {
    LinkReading reading;
    try {
        auto links = m_source ? m_source() : std::nullopt;
        if (links) {
            const auto by_index = [](const auto& a, const auto& b) {
                return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
            };
            // The kernel lists them so already.
            if (!std::is_sorted(links->begin(), links->end(), by_index))
                std::sort(links->begin(), links->end(), by_index);
            reading.links = m_attributes.complete(std::move(*links));
        }
        reading.addresses = m_addresses ? m_addresses() : std::nullopt;
    } catch (const std::exception&) {
        reading = LinkReading{};
    }
    const bool same = m_reading && same_but_counters(*m_reading, reading);
    m_reading = std::move(reading);
    if (same) return *m_reading;
    ++m_generation;
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
