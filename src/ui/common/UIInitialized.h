#pragma once

#include <atomic>

namespace quorvane {

// Set by the main window when its switch of run mode succeeded; reset and read by the
// service's start handler on its own thread.
inline std::atomic<bool> UIInitialized{false};

}  // namespace quorvane
