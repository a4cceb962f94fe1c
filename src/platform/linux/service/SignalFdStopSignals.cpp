#include "platform/linux/service/SignalFdStopSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/SystemError.h"
#include "platform/linux/service/ProcessSignals.h"

namespace quorvane {

SignalFdStopSignals::SignalFdStopSignals() {
    sigset_t set = stop_signal_set();
    m_fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_fd < 0) {
        throw SystemError(static_cast<uint32_t>(errno),
                          std::string("Cannot watch the stop signals: ") + std::strerror(errno));
    }
}

SignalFdStopSignals::~SignalFdStopSignals() {
    if (m_fd >= 0) ::close(m_fd);
}

int SignalFdStopSignals::take() {
    signalfd_siginfo info{};
    ssize_t n = ::read(m_fd, &info, sizeof info);
    if (n != static_cast<ssize_t>(sizeof info)) return 0;
    return static_cast<int>(info.ssi_signo);
}

}  // namespace quorvane
