#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/linux/LinuxLinks.h"
#include "support/TempDir.h"

namespace quorvane::test {

// One interface as the kernel shows it: its rtnetlink link message, and its folder in
// sysfs. Texts are written as sysfs writes them. Empty texts and absent values leave the
// attribute (and the file) out.
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
    // Attributes (IFLA_*) the link message leaves out.
    std::set<unsigned short> omitted;
};

// A fake kernel: the link dump it answers and a fake /sys/class/net inside a temporary
// folder.
class FakeSysfs {
public:
    explicit FakeSysfs(const TempDir& dir) : m_dir(dir) {}

    std::filesystem::path root() const { return m_dir.path() / "net"; }
    // Lists the link in the dump and writes its folder, each file with its trailing line
    // end as sysfs has it.
    void add(const FakeLink& link) const;
    // Removes one file of a link's folder (relative to its folder).
    void remove(const std::string& link, const std::string& file) const;
    // Takes the link out of the dump and its folder away.
    void remove_link(const std::string& link) const;

    // The dump of the links added so far, as rtnetlink messages, read by the real parser.
    LinkSource links() const;
    // The machine of those links, with these addresses.
    LinuxLinks machine(AddressSource addresses = {}) const;

private:
    const TempDir& m_dir;
    std::shared_ptr<std::vector<FakeLink>> m_links = std::make_shared<std::vector<FakeLink>>();
};

// The rtnetlink messages of a link dump: one RTM_NEWLINK per link, then NLMSG_DONE.
std::vector<uint8_t> link_dump(const std::vector<FakeLink>& links);

// A dump answer broken each way a reader must refuse, by name: its first `kept` bytes only
// ("cut short"), an error message in its place ("error answer"), and the answer marked as
// interrupted by a change of the tables ("interrupted by a change").
std::vector<std::pair<const char*, std::vector<uint8_t>>> broken_answers(
    const std::vector<uint8_t>& dump, std::size_t kept);

// An address as sin_addr stores it, from its dotted text.
uint32_t stored(const char* dotted);

}  // namespace quorvane::test
