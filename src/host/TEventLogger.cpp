#include "host/TEventLogger.h"

namespace quorvane {

void TEventLogger::LogMessage(const std::string& message) noexcept {
    try {
        m_log.write_error(m_source, message);
    } catch (...) {
    }
}

}  // namespace quorvane
