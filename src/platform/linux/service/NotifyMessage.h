#pragma once

#include <string>

#include "platform/ServiceStatusReport.h"

namespace quorvane {

// The sd_notify text of a status report: start and stop pending as STATUS= with
// EXTEND_TIMEOUT_USEC= from the wait hint (stop pending also STOPPING=1), running as READY=1.
std::string notify_message(const ServiceStatusReport& status);

}  // namespace quorvane
