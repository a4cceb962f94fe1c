#pragma once

#include "platform/InstanceLock.h"

namespace quorvane {

// The single-instance lock as a Unix socket bound to a name in the abstract namespace: the
// kernel refuses a second bind of the same name (EADDRINUSE) and frees the name when the
// holder's socket closes, at the latest when the process ends. The name is seen by every
// process of the same network namespace. The holder listens on it: a connection from a
// process of the same user is a request to show the window; others are closed unheard.
class AbstractSocketLock : public InstanceLock {
public:
    AbstractSocketLock() = default;
    ~AbstractSocketLock() override;
    AbstractSocketLock(const AbstractSocketLock&) = delete;
    AbstractSocketLock& operator=(const AbstractSocketLock&) = delete;

    bool acquire(const std::string& name) override;
    bool ask_holder_to_show(const std::string& name) override;
    int request_descriptor() const override { return m_fd; }
    bool take_request() override;

private:
    int m_fd = -1;
};

}  // namespace quorvane
