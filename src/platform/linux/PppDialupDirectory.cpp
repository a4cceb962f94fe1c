#include "platform/linux/PppDialupDirectory.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/linux/IfRowMapping.h"
#include "platform/linux/SysfsFile.h"

namespace quorvane {

namespace {

constexpr uint32_t type_ppp = 23;

// The names of the regular files of a folder, sorted; nothing when it cannot be listed.
std::optional<std::vector<std::string>> file_names(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) return std::nullopt;
    std::vector<std::string> names;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_regular_file(type_ec)) names.push_back(it->path().filename().string());
    }
    if (ec) return std::nullopt;
    std::sort(names.begin(), names.end());
    return names;
}

// The address of an interface that the address table lists first (the lowest as a 32-bit
// value), so the connection and the interface row show the same address.
std::string address_of(const std::string& interface_name,
                       const std::optional<std::vector<InterfaceAddress>>& addresses) {
    if (!addresses) return {};
    std::optional<uint32_t> lowest;
    for (const auto& item : *addresses) {
        if (interface_addresses::interface_of(item.name) != interface_name) continue;
        if (!lowest || item.address < *lowest) lowest = item.address;
    }
    return lowest ? interface_addresses::dotted(*lowest) : std::string();
}

}  // namespace

PppDialupDirectory::PppDialupDirectory(LinuxLinks& links, std::filesystem::path run_dir,
                                       std::filesystem::path peers_dir)
    : m_links(links), m_run_dir(std::move(run_dir)), m_peers_dir(std::move(peers_dir)) {}

void PppDialupDirectory::read_dialup_connections(TDialupEntriesArray& connections) {
    connections.clear();
    try {
        const LinkReading& reading = m_links.last();
        std::vector<const LinuxLink*> links;
        for (const auto& item : reading.links) {
            if (if_row_mapping::if_type(item.arphrd_type, item.wireless) == type_ppp &&
                item.is_up())
                links.push_back(&item);
        }
        if (links.size() > max_entries) return;
        TDialupEntriesArray list;
        for (const LinuxLink* link : links) {
            Tdialupentries entry;
            if (auto name = link_name_of(link->name))
                entry.entry_name = *name;
            else if (!sysfs_file::trimmed(link->alias).empty())
                entry.entry_name = link->alias;
            else
                entry.entry_name = link->name;
            entry.ip_address = address_of(link->name, reading.addresses);
            list.push_back(std::move(entry));
        }
        connections = std::move(list);
    } catch (const std::exception&) {
        connections.clear();
    }
}

void PppDialupDirectory::read_dialup_entries(TDialupEntriesArray& entries) {
    try {
        auto names = file_names(m_peers_dir);
        if (!names || names->empty() || names->size() > max_entries) return;
        TDialupEntriesArray list;
        for (auto& name : *names) list.push_back({std::move(name), {}});
        entries = std::move(list);
    } catch (const std::exception&) {
    }
}

std::optional<std::string> PppDialupDirectory::link_name_of(
    const std::string& interface_name) const {
    static const std::string prefix = "ppp-";
    static const std::string suffix = ".pid";
    auto names = file_names(m_run_dir);
    if (!names) return std::nullopt;
    for (const auto& file : *names) {
        if (file.size() <= prefix.size() + suffix.size() || !file.starts_with(prefix) ||
            !file.ends_with(suffix))
            continue;
        // pppd writes its pid on the first line and the interface name on the second.
        const auto text = sysfs_file::read_text(m_run_dir / file);
        if (!text) continue;
        const auto first_end = text->find('\n');
        if (first_end == std::string::npos) continue;
        std::string second = text->substr(first_end + 1);
        second = second.substr(0, second.find('\n'));
        if (sysfs_file::trimmed(second) == interface_name)
            return file.substr(prefix.size(), file.size() - prefix.size() - suffix.size());
    }
    return std::nullopt;
}

}  // namespace quorvane
