#include "host/NotifySocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace quorvane::test {

NotifySocket::NotifySocket(std::string path) : m_path(std::move(path)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (m_path.size() >= sizeof(address.sun_path)) throw std::runtime_error("path too long");
    std::memcpy(address.sun_path, m_path.c_str(), m_path.size() + 1);
    m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot bind " + m_path);
    }
}

NotifySocket::~NotifySocket() {
    if (m_fd >= 0) ::close(m_fd);
    ::unlink(m_path.c_str());
}

std::optional<std::string> NotifySocket::receive(std::chrono::milliseconds timeout) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(timeout.count())) <= 0) return std::nullopt;
    char buffer[4096];
    auto n = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (n < 0) return std::nullopt;
    return std::string(buffer, static_cast<size_t>(n));
}

}  // namespace quorvane::test
