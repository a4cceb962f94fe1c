#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane {

// One device of the device table: an interface and its current connection.
// Rates and peaks are per tick (the tick is one second); totals are per connection.
struct Tmibdata {
    uint32_t if_index = 0;
    int64_t dload_rate = 0;
    int64_t uload_rate = 0;
    int64_t dload_total = 0;
    int64_t uload_total = 0;
    int64_t in_octets = 0;   // in_wraps * 2^32 + low 32 bits of the receive counter
    int64_t out_octets = 0;  // out_wraps * 2^32 + low 32 bits of the send counter
    int64_t dload_peak = 0;
    int64_t uload_peak = 0;
    int64_t dload_avg = 0;
    int64_t uload_avg = 0;
    int32_t in_wraps = 0;
    int32_t out_wraps = 0;
    int32_t online_time = 0;
    int32_t dload_ticks = 0;
    int32_t uload_ticks = 0;
    int32_t speed = 0;  // bits per second, capped at the largest 32-bit signed value
    std::string descr;
    std::string mac;
    std::string ip;
    std::string if_type;
    std::string oper_status;
    std::string deventry;
    std::string devuniqueid;  // empty while no connection is open
    std::string startdate;
    std::string starttime;
    int32_t log_option = 0;
    int32_t tray_option = 0;
    int32_t new_connection = 0;
    // The platform's full counters at the previous tick, where it has them.
    uint64_t in_counter64 = 0;
    uint64_t out_counter64 = 0;
    // The current connection's row as the log holds it: its start, and the log file it was
    // written to (LogDatabase::file_generation; 0 while it has no row).
    std::string log_startdate;
    std::string log_starttime;
    uint64_t log_file = 0;
};

using Tmibarray = std::vector<Tmibdata>;

}  // namespace quorvane
