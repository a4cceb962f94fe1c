#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace quorvane::test {

// A fake service manager's notification socket: a Unix datagram socket bound to a path,
// the value for NOTIFY_SOCKET.
class NotifySocket {
public:
    explicit NotifySocket(std::string path);
    ~NotifySocket();
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    const std::string& path() const { return m_path; }
    // The next message, or nullopt when none came within the timeout.
    std::optional<std::string> receive(std::chrono::milliseconds timeout);

private:
    std::string m_path;
    int m_fd = -1;
};

}  // namespace quorvane::test
