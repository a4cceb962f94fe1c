#include "platform/linux/service/SyslogEventLog.h"

#include <syslog.h>

namespace quorvane {

void SyslogEventLog::write_error(const std::string& source, const std::string& message) {
    std::lock_guard lock(m_mutex);
    // openlog keeps the pointer, so the identity must live until closelog.
    std::string ident = source;
    openlog(ident.c_str(), LOG_PID, LOG_DAEMON);
    syslog(LOG_ERR, "%s", message.c_str());
    closelog();
}

}  // namespace quorvane
