#pragma once

#include <cstdint>

#include "platform/NetTypes.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

// The tick counter after one more tick: 1, 2, ... 30, 31, 0, 1, ...
int next_tick_counter(int counter);

// Counts one online tick of a device from its interface row: rates, totals, peaks and
// averages of both directions, receive side first. A 32-bit counter that falls back is
// taken as one wrap. Where the row carries the platform's 64-bit counters, the rate is
// their exact difference, and a 64-bit counter that fell back was reset (an adapter
// restart): the tick then counts what the counter shows since the reset, not 4 GiB.
void count_traffic(Tmibdata& device, const MIB_IFROW& row);

// Zeroes the figures of an offline device and takes the row's counters as the new start,
// so the first online tick afterwards counts only its own traffic. The connection ends.
void reset_device(Tmibdata& device, const MIB_IFROW& row);

// Takes the row's counters as the start of counting, without wraps.
void start_counters(Tmibdata& device, const MIB_IFROW& row);

// The interface speed as the device record holds it: signed 32 bits, capped, not wrapped.
int32_t capped_speed(uint32_t bits_per_second);

// The tray picture: 0 none, 1 download only, 2 upload only, 3 both.
int tray_icon_index(bool download, bool upload);

}  // namespace quorvane
