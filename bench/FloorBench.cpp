// The floor of a tick in a tight loop, everything hot in the caches.
// BM_TickRealInterfaces is measured against it (bench/namespaces.sh), and the running
// program too (bench/process.sh, beside qv_floor_process, the same reading once a second).
#include <benchmark/benchmark.h>

#include "FloorRead.h"

namespace {

void BM_FloorLinkDumpAndAddresses(benchmark::State& state) {
    int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0) {
        state.SkipWithError("no rtnetlink socket");
        return;
    }
    std::vector<char> buffer(64 * 1024);
    unsigned sequence = 0;
    uint64_t sum = 0;
    for (auto _ : state) {
        if (!quorvane::bench::read_floor(fd, ++sequence, buffer, sum)) {
            state.SkipWithError("the floor reading failed");
            break;
        }
        benchmark::DoNotOptimize(sum);
    }
    close(fd);
}
BENCHMARK(BM_FloorLinkDumpAndAddresses)->Unit(benchmark::kMicrosecond);

}  // namespace
