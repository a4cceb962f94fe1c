#include "platform/linux/service/AbstractSocketLock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

namespace quorvane {

AbstractSocketLock::~AbstractSocketLock() {
    if (m_fd >= 0) ::close(m_fd);
}

bool AbstractSocketLock::acquire(const std::string& name) {
    if (m_fd >= 0) return true;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // A leading zero byte puts the name into the abstract namespace.
    if (name.empty() || name.size() + 1 > sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

}  // namespace quorvane
