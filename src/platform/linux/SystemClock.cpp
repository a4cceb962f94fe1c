#include "platform/linux/SystemClock.h"

#include <ctime>
#include <stdexcept>

namespace quorvane {

LocalTime SystemClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    if (seconds == static_cast<std::time_t>(-1) || localtime_r(&seconds, &parts) == nullptr)
        throw std::runtime_error("cannot read the local time");
    LocalTime result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    // A leap second reads as the last second of its minute.
    result.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
    return result;
}

}  // namespace quorvane
