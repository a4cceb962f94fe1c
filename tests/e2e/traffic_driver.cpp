// Runs the traffic engine on this machine's real interfaces with a data directory, one tick
// per interval, until SIGINT or SIGTERM. Prints one line per tick per online device:
// tick counter, name, download and upload rates, download and upload totals. At the stop the
// open connections get their last figures, as in the program.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "logdb/LogDatabase.h"
#include "platform/linux/LinkConnectionNames.h"
#include "platform/linux/LinuxLinks.h"
#include "platform/linux/NetlinkNetworkTables.h"
#include "platform/linux/PppDialupDirectory.h"
#include "platform/linux/SystemClock.h"
#include "platform/linux/SystemRandom.h"
#include "traffic/TrafficEngine.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;
void on_signal(int) {
    g_stop = 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string data_dir;
    int interval_ms = 1000;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--data")) data_dir = argv[i + 1];
        if (!std::strcmp(argv[i], "--interval-ms")) interval_ms = std::stoi(argv[i + 1]);
    }
    if (data_dir.empty()) {
        std::cerr << "usage: " << argv[0] << " --data DIR [--interval-ms N]\n";
        return 2;
    }
    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);

    using namespace quorvane;
    LinuxLinks links;
    NetlinkNetworkTables tables(links);
    LinkConnectionNames names(links);
    PppDialupDirectory dialup(links);
    SystemClock clock;
    SystemRandom random;
    LogDatabase log(data_dir + "/config/log.db");
    TrafficEngine engine({tables, names, dialup, clock, random}, RegionalSettings{}, data_dir, log);
    while (!g_stop) {
        try {
            engine.run_tick();
        } catch (const std::exception& e) {
            std::cerr << "tick " << engine.tick_counter() << ": " << e.what() << "\n";
        }
        for (const Tmibdata& d : engine.mibarray()) {
            if (d.ip == "0.0.0.0") continue;
            std::printf("%d %s %lld %lld %lld %lld\n", engine.tick_counter(), d.deventry.c_str(),
                        (long long)d.dload_rate, (long long)d.uload_rate, (long long)d.dload_total,
                        (long long)d.uload_total);
        }
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(interval_ms));
    }
    // As the program does at its stop.
    try {
        engine.write_final_figures();
    } catch (const std::exception& e) {
        std::cerr << "stop: " << e.what() << "\n";
    }
    return 0;
}
