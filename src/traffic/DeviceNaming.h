#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/ConnectionNames.h"
#include "platform/RandomSource.h"
#include "traffic/NetworkSnapshot.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

// The device name of an interface row: a dial-up interface after its active connection,
// the loopback after its description, every other one after its adapter's connection name.
std::string device_name(std::string_view type_name, const std::string& ip, const std::string& descr,
                        std::string_view mac, NetworkSnapshot& snapshot, ConnectionNames& names);

// Position of the first device with that interface index, or -1.
int find_device(const Tmibarray& devices, uint32_t if_index);

// A new connection id: index "-" yyyymmddhhmmss "-" random 0..999, e.g.
// 65539-20240105134502-7.
std::string make_uniqueid(uint32_t if_index, const Clock& clock, RandomSource& random);

}  // namespace quorvane
