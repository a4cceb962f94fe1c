#pragma once

#include <signal.h>

namespace quorvane {

// The signals that ask the process to end: SIGTERM and SIGINT.
sigset_t stop_signal_set();
// Blocks the stop signals in the calling thread. Called first thing in main, before any
// other thread exists, so every thread inherits the mask and the signals are taken only
// where a descriptor reads them on purpose (the service dispatcher, the desktop loop).
void block_stop_signals();

}  // namespace quorvane
