#include <gtest/gtest.h>

#include "platform/linux/service/NotifyMessage.h"

namespace quorvane {
namespace {

ServiceStatusReport report(ServiceState state, uint32_t check_point = 0,
                           uint32_t wait_hint = 10000) {
    ServiceStatusReport r;
    r.current_state = state;
    r.check_point = check_point;
    r.wait_hint = wait_hint;
    return r;
}

TEST(NotifyMessage, StatusReportsAsSdNotifyText) {
    struct Case {
        ServiceStatusReport status;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {report(ServiceState::StartPending, 1),
         "STATUS=Start pending (checkpoint 1)\nEXTEND_TIMEOUT_USEC=10000000"},
        {report(ServiceState::Running), "READY=1\nSTATUS=Running"},
        {report(ServiceState::StopPending),
         "STOPPING=1\nSTATUS=Stop pending\nEXTEND_TIMEOUT_USEC=10000000"},
        {report(ServiceState::StopPending, 2, 0), "STOPPING=1\nSTATUS=Stop pending (checkpoint 2)"},
        {report(ServiceState::Stopped), "STATUS=Stopped"},
        {report(ServiceState::PausePending), "STATUS=Pause pending\nEXTEND_TIMEOUT_USEC=10000000"},
        {report(ServiceState::Paused), "STATUS=Paused"},
    };
    for (const auto& c : cases) EXPECT_EQ(notify_message(c.status), c.expected);
}

}  // namespace
}  // namespace quorvane
