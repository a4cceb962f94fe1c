#pragma once

#include "platform/StopSignals.h"

namespace quorvane {

// SIGTERM and SIGINT read through a signalfd. The signals must be blocked in every thread
// (block_stop_signals) for the descriptor to see them.
class SignalFdStopSignals : public StopSignals {
public:
    SignalFdStopSignals();
    ~SignalFdStopSignals() override;
    SignalFdStopSignals(const SignalFdStopSignals&) = delete;
    SignalFdStopSignals& operator=(const SignalFdStopSignals&) = delete;

    int descriptor() const override { return m_fd; }
    int take() override;

private:
    int m_fd = -1;
};

}  // namespace quorvane
