#include "platform/linux/LinkConnectionNames.h"

#include "platform/linux/SysfsFile.h"

namespace quorvane {

std::string LinkConnectionNames::connection_name(const std::string& adapter_name) {
    try {
        const LinuxLink* link = m_links.find(sysfs_file::trimmed(adapter_name));
        if (link == nullptr) return {};
        // An alias of blanks only names nothing.
        if (!sysfs_file::trimmed(link->alias).empty()) return link->alias;
        return link->name;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quorvane
