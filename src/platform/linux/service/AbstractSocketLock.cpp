#include "platform/linux/service/AbstractSocketLock.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>

namespace quorvane {

namespace {

constexpr char kShowRequest[] = "show\n";

// The abstract address of a name; false when the name does not fit.
bool abstract_address(const std::string& name, sockaddr_un& address, socklen_t& length) {
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    // A leading zero byte puts the name into the abstract namespace.
    if (name.empty() || name.size() + 1 > sizeof(address.sun_path)) return false;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

}  // namespace

AbstractSocketLock::~AbstractSocketLock() {
    if (m_fd >= 0) ::close(m_fd);
}

bool AbstractSocketLock::acquire(const std::string& name) {
    if (m_fd >= 0) return true;
    sockaddr_un address{};
    socklen_t length = 0;
    if (!abstract_address(name, address, length)) return false;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        ::close(fd);
        return false;
    }
    // Without listening the name is still held; only the show requests are lost then.
    ::listen(fd, 8);
    m_fd = fd;
    return true;
}

bool AbstractSocketLock::ask_holder_to_show(const std::string& name) {
    sockaddr_un address{};
    socklen_t length = 0;
    if (!abstract_address(name, address, length)) return false;
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // The connection is the request: the holder takes every connection of this user as one
    // and closes it at once, maybe before the words below arrive, so they are sent for the
    // record only and a failed send does not undo a request already made.
    const bool told = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    if (told) {
        (void)::send(fd, kShowRequest, sizeof kShowRequest - 1, MSG_NOSIGNAL);
        // The holder closes the connection once it took the request; a holder that hangs
        // keeps this start no longer than a second.
        pollfd answer{fd, POLLIN, 0};
        ::poll(&answer, 1, 1000);
    }
    ::close(fd);
    return told;
}

bool AbstractSocketLock::take_request() {
    if (m_fd < 0) return false;
    while (true) {
        int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        ucred peer{};
        socklen_t size = sizeof peer;
        const bool same_user = ::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
                               peer.uid == ::getuid();
        ::close(client);
        if (same_user) return true;
    }
}

}  // namespace quorvane
