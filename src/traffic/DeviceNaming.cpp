#include "traffic/DeviceNaming.h"

#include <cstdio>

#include "traffic/InterfaceNames.h"

namespace quorvane {

std::string device_name(std::string_view type_name, const std::string& ip, const std::string& descr,
                        std::string_view mac, NetworkSnapshot& snapshot, ConnectionNames& names) {
    if (type_name == kTypePpp) return snapshot.dialup_name_of_ip(ip);
    if (type_name == kTypeLoopback) return descr;
    return names.connection_name(snapshot.adapter_name_of_mac(mac));
}

int find_device(const Tmibarray& devices, uint32_t if_index) {
    for (size_t i = 0; i < devices.size(); ++i)
        if (devices[i].if_index == if_index) return static_cast<int>(i);
    return -1;
}

std::string make_uniqueid(uint32_t if_index, const Clock& clock, RandomSource& random) {
    // One reading of the clock, so date and time belong to the same moment.
    const LocalTime t = clock.now();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return std::to_string(if_index) + "-" + stamp + "-" + std::to_string(random.next_below(1000));
}

}  // namespace quorvane
