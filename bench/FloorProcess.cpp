// The floor of the running program: a process that does nothing but the floor reading (one
// link dump, one getifaddrs()) once a second, on the second, as the program's tick does.
// Woken from sleep each time, it pays what a tight loop never does: the wake-up and caches
// gone cold. bench/process.sh measures it beside the program. Runs until it is stopped.
#include <ctime>
#include <iostream>

#include "FloorRead.h"

int main() {
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0) {
        std::cerr << "qv_floor_process: no rtnetlink socket\n";
        return 1;
    }
    std::vector<char> buffer(64 * 1024);
    unsigned sequence = 0;
    uint64_t sum = 0;
    timespec next{};
    clock_gettime(CLOCK_MONOTONIC, &next);
    for (;;) {
        ++next.tv_sec;
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) != 0) {
        }
        if (!quorvane::bench::read_floor(fd, ++sequence, buffer, sum)) {
            std::cerr << "qv_floor_process: the floor reading failed\n";
            return 1;
        }
    }
}
