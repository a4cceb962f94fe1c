#pragma once

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/InstanceLock.h"
#include "platform/ServiceInstaller.h"
#include "platform/StopSignals.h"
#include "platform/SystemError.h"

namespace quorvane::test {

class FakeInstanceLock : public InstanceLock {
public:
    bool acquire(const std::string& name) override {
        asked.push_back(name);
        return free;
    }
    bool ask_holder_to_show(const std::string& name) override {
        shown.push_back(name);
        return true;
    }
    bool free = true;
    std::vector<std::string> asked;
    std::vector<std::string> shown;  // the holders asked to show their window
};

// Stop requests the test raises, through a pipe.
class FakeStopSignals : public StopSignals {
public:
    FakeStopSignals() {
        if (::pipe2(m_pipe, O_NONBLOCK | O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    }
    ~FakeStopSignals() override {
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
    }
    int descriptor() const override {
        ++watchers;
        return m_pipe[0];
    }
    int take() override {
        char c = 0;
        return ::read(m_pipe[0], &c, 1) == 1 ? SIGTERM : 0;
    }
    void raise_stop() { [[maybe_unused]] auto n = ::write(m_pipe[1], "t", 1); }
    // How many watchers asked for the descriptor: start-up's, then desktop mode's.
    mutable int watchers = 0;

private:
    int m_pipe[2] = {-1, -1};
};

// Keeps the installed services in memory, failing the way the real manager does.
class FakeServiceInstaller : public ServiceInstaller {
public:
    void open_manager() override {
        if (unreachable) throw SystemError(13, "Cannot reach the service manager: denied");
        ++opened;
    }
    void create_service(const ServiceDefinition& service) override {
        for (const auto& s : installed) {
            if (s.name == service.name) throw SystemError(17, "The service exists already");
        }
        installed.push_back(service);
    }
    void delete_service(const std::string& name) override {
        for (auto it = installed.begin(); it != installed.end(); ++it) {
            if (it->name == name) {
                installed.erase(it);
                return;
            }
        }
        throw SystemError(2, "The service is not installed");
    }
    void close_manager() override { ++closed; }

    bool unreachable = false;
    int opened = 0, closed = 0;
    std::vector<ServiceDefinition> installed;
};

}  // namespace quorvane::test
