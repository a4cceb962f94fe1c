#include "platform/linux/service/ProcessSignals.h"

#include <pthread.h>

namespace quorvane {

sigset_t stop_signal_set() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

void block_stop_signals() {
    sigset_t set = stop_signal_set();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace quorvane
