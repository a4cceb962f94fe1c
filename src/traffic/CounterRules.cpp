#include "traffic/CounterRules.h"

#include <limits>

namespace quorvane {

namespace {

constexpr int64_t kWrap = int64_t{1} << 32;

// The figures of one direction of a device.
struct Side {
    int64_t& octets;
    int32_t& wraps;
    uint64_t& counter64;
    int64_t& rate;
    int64_t& total;
    int32_t& ticks;
    int64_t& peak;
    int64_t& avg;
};

Side receive_side(Tmibdata& d) {
    return {d.in_octets,   d.in_wraps,    d.in_counter64, d.dload_rate,
            d.dload_total, d.dload_ticks, d.dload_peak,   d.dload_avg};
}

Side send_side(Tmibdata& d) {
    return {d.out_octets,  d.out_wraps,   d.out_counter64, d.uload_rate,
            d.uload_total, d.uload_ticks, d.uload_peak,    d.uload_avg};
}

void count_side(Side s, uint32_t low, bool has64, uint64_t full) {
    if (has64) {
        if (full < s.counter64) {
            s.rate = static_cast<int64_t>(full);  // reset: all it shows is new
        } else {
            s.wraps += static_cast<int32_t>((full >> 32) - (s.counter64 >> 32));
            s.rate = static_cast<int64_t>(full - s.counter64);
        }
        s.counter64 = full;
    } else {
        if (s.wraps * kWrap + low - s.octets < 0) ++s.wraps;
        s.rate = s.wraps * kWrap + low - s.octets;
    }
    s.total += s.rate;
    s.octets = s.wraps * kWrap + low;
    if (s.rate > 0) ++s.ticks;
    if (s.rate > s.peak) s.peak = s.rate;
    if (s.ticks != 0) s.avg = s.total / s.ticks;
}

}  // namespace

int next_tick_counter(int counter) {
    return counter > 30 ? 0 : counter + 1;
}

void count_traffic(Tmibdata& device, const MIB_IFROW& row) {
    count_side(receive_side(device), row.dwInOctets, row.has_octets64, row.in_octets64);
    count_side(send_side(device), row.dwOutOctets, row.has_octets64, row.out_octets64);
}

void start_counters(Tmibdata& device, const MIB_IFROW& row) {
    device.in_octets = row.dwInOctets;
    device.out_octets = row.dwOutOctets;
    device.in_counter64 = row.in_octets64;
    device.out_counter64 = row.out_octets64;
}

void reset_device(Tmibdata& device, const MIB_IFROW& row) {
    start_counters(device, row);
    device.dload_rate = device.uload_rate = 0;
    device.dload_total = device.uload_total = 0;
    device.dload_peak = device.uload_peak = 0;
    device.dload_avg = device.uload_avg = 0;
    device.in_wraps = device.out_wraps = 0;
    device.online_time = 0;
    device.dload_ticks = device.uload_ticks = 0;
    device.startdate = "0";
    device.starttime = "0";
    device.new_connection = 1;
    device.devuniqueid.clear();
    device.log_startdate.clear();
    device.log_starttime.clear();
    device.log_file = 0;
}

int32_t capped_speed(uint32_t bits_per_second) {
    constexpr uint32_t kMax = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(bits_per_second > kMax ? kMax : bits_per_second);
}

int tray_icon_index(bool download, bool upload) {
    return (download ? 1 : 0) | (upload ? 2 : 0);
}

}  // namespace quorvane
