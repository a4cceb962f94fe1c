#include "platform/linux/SysfsInterface.h"

#include <algorithm>
#include <limits>

#include <net/if.h>

#include "platform/linux/SysfsFile.h"

namespace quorvane {

namespace {

std::optional<uint32_t> to_u32(std::optional<uint64_t> value) {
    if (!value || *value > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

}  // namespace

std::optional<SysfsInterface> SysfsInterface::read(const std::filesystem::path& root,
                                                   const std::string& name) {
    using namespace sysfs_file;
    try {
        const auto dir = root / name;
        SysfsInterface result;
        result.name = name;
        // Attributes that may legitimately be absent or unreadable come first; the ones every
        // interface has come last, so an interface that goes away half way fails on those.
        result.speed_mbit = read_signed(dir / "speed");
        result.address = read_text(dir / "address").value_or("");
        result.alias = read_text(dir / "ifalias").value_or("");
        std::error_code ec;
        result.wireless = std::filesystem::is_directory(dir / "wireless", ec) ||
                          std::filesystem::is_directory(dir / "phy80211", ec);

        auto ifindex = to_u32(read_unsigned(dir / "ifindex"));
        auto type = to_u32(read_unsigned(dir / "type"));
        auto flags = to_u32(read_hex(dir / "flags"));
        auto operstate = read_text(dir / "operstate");
        auto rx = read_unsigned(dir / "statistics" / "rx_bytes");
        auto tx = read_unsigned(dir / "statistics" / "tx_bytes");
        if (!ifindex || !type || !flags || !operstate || !rx || !tx) return std::nullopt;
        result.ifindex = *ifindex;
        result.arphrd_type = *type;
        result.flags = *flags;
        result.operstate = trimmed(*operstate);
        result.rx_bytes = *rx;
        result.tx_bytes = *tx;
        return result;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<SysfsInterface> SysfsInterface::read_all(const std::filesystem::path& root) {
    std::vector<SysfsInterface> result;
    try {
        std::vector<std::string> names;
        std::error_code ec;
        std::filesystem::directory_iterator it(root, ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::error_code type_ec;
            // Interfaces are folders (links to them); loose files such as bonding_masters
            // are not interfaces.
            if (it->is_directory(type_ec)) names.push_back(it->path().filename().string());
        }
        for (const auto& name : names) {
            if (auto item = read(root, name)) result.push_back(std::move(*item));
        }
        std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) {
            return a.ifindex != b.ifindex ? a.ifindex < b.ifindex : a.name < b.name;
        });
    } catch (const std::exception&) {
        result.clear();
    }
    return result;
}

bool SysfsInterface::is_up() const {
    return operstate == "up" || (operstate == "unknown" && (flags & IFF_UP) != 0);
}

bool SysfsInterface::link_down() const {
    return operstate == "down" || operstate == "lowerlayerdown";
}

}  // namespace quorvane
