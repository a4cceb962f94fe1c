#include "platform/linux/SysfsConnectionNames.h"

#include <utility>

#include "platform/linux/SysfsFile.h"

namespace quorvane {

namespace {

// An interface name is one plain path component; anything else could reach outside the root.
bool is_plain_name(const std::string& name) {
    return !name.empty() && name != "." && name.find('/') == std::string::npos &&
           name.find("..") == std::string::npos && name.find('\0') == std::string::npos;
}

}  // namespace

SysfsConnectionNames::SysfsConnectionNames(std::filesystem::path root) : m_root(std::move(root)) {}

std::string SysfsConnectionNames::connection_name(const std::string& adapter_name) {
    try {
        const std::string name = sysfs_file::trimmed(adapter_name);
        if (!is_plain_name(name)) return {};
        const auto dir = m_root / name;
        std::error_code ec;
        if (!std::filesystem::is_directory(dir, ec)) return {};
        const std::string alias = sysfs_file::read_text(dir / "ifalias").value_or("");
        // An alias of blanks only names nothing.
        if (!sysfs_file::trimmed(alias).empty()) return alias;
        // Gone while being looked at: no longer an interface.
        if (!std::filesystem::is_directory(dir, ec)) return {};
        return name;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quorvane
