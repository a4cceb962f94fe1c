// The cost of one whole tick (sampling plus logging pass, SQLite on a temporary file), on a
// fake machine of 8 and 64 interfaces and on this machine's real interfaces.
#include <benchmark/benchmark.h>

#include "logdb/LogDatabase.h"
#include "platform/linux/LinkConnectionNames.h"
#include "platform/linux/LinuxLinks.h"
#include "platform/linux/NetlinkNetworkTables.h"
#include "platform/linux/PppDialupDirectory.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/SystemRandom.h"
#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/FakeRandom.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "traffic/TrafficEngine.h"

namespace quorvane {
namespace {

void BM_TickFakeInterfaces(benchmark::State& state) {
    test::TempDir dir;
    test::provision_data_dir(dir.str());
    test::FakeNetwork net;
    test::FakeClock clock;
    test::FakeRandom random;
    const auto count = static_cast<uint32_t>(state.range(0));
    for (uint32_t i = 1; i <= count; ++i)
        net.add_ethernet(i, "eth" + std::to_string(i), test::ipv4(10, 0, i / 256, i % 256));
    LogDatabase log(dir.str() + "/config/log.db");
    TrafficEngine engine({net, net, net, clock, random}, RegionalSettings{}, dir.str(), log);
    engine.run_tick();  // creates the devices and inserts their rows
    for (auto _ : state) {
        for (auto& row : net.interfaces) row.dwInOctets += 1500, row.dwOutOctets += 100;
        engine.run_tick();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_TickFakeInterfaces)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);

void BM_TickRealInterfaces(benchmark::State& state) {
    test::TempDir dir;
    test::provision_data_dir(dir.str());
    LinuxLinks links;
    NetlinkNetworkTables tables(links);
    LinkConnectionNames names(links);
    PppDialupDirectory dialup(links);
    SystemClock clock;
    SystemRandom random;
    LogDatabase log(dir.str() + "/config/log.db");
    TrafficEngine engine({tables, names, dialup, clock, random}, RegionalSettings{}, dir.str(),
                         log);
    engine.run_tick();
    for (auto _ : state) engine.run_tick();
    state.counters["interfaces"] = static_cast<double>(engine.mibarray().size());
}
BENCHMARK(BM_TickRealInterfaces)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvane
