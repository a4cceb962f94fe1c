// Simulated meters pushing into one central log: each meter has a SQLite log of its own with
// `devices` open connections, rewritten every interval as the logger rewrites them, and pushes
// them with the meter's own push code (push_to_central) every interval, the meters' pushes
// spread evenly over the interval. Prints each push's latency percentiles and the failures.
//
//   qv_central_load --dir DIR --url-prefix "host=... port=... dbname=quorvane"
//                   [--meters 200] [--devices 20] [--interval-s 30] [--duration-s 600]
// Meter n logs in as role meter_n (password from PGPASSFILE), reports as host "meter-n" and
// keeps its log in DIR/meter-n/config/log.db.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "logdb/CentralError.h"
#include "logdb/CentralLedger.h"
#include "logdb/CentralPush.h"
#include "logdb/LogDatabase.h"
#include "logdb/PgConnection.h"
#include "support/LogDbFixture.h"

using namespace quorvane;
using Clock = std::chrono::steady_clock;

namespace {

struct Options {
    std::string dir, url_prefix;
    int meters = 200, devices = 20, interval_s = 30, duration_s = 600;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i], value = argv[i + 1];
        if (key == "--dir") o.dir = value;
        if (key == "--url-prefix") o.url_prefix = value;
        if (key == "--meters") o.meters = std::atoi(value.c_str());
        if (key == "--devices") o.devices = std::atoi(value.c_str());
        if (key == "--interval-s") o.interval_s = std::atoi(value.c_str());
        if (key == "--duration-s") o.duration_s = std::atoi(value.c_str());
    }
    return o;
}

std::string id_of(int meter, int device, int generation) {
    return std::to_string(device + 2) + "-20261211" + std::to_string(100000 + generation) + "-" +
           std::to_string(meter);
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse(argc, argv);
    if (o.dir.empty() || o.url_prefix.empty()) {
        std::fprintf(stderr, "usage: qv_central_load --dir DIR --url-prefix CONNINFO [...]\n");
        return 2;
    }
    std::mutex mutex;
    std::vector<double> latencies_ms;
    std::vector<std::string> failures;
    std::atomic<long> rows_pushed{0};
    const auto begin = Clock::now();
    const auto end = begin + std::chrono::seconds(o.duration_s);
    const auto interval = std::chrono::seconds(o.interval_s);

    std::vector<std::thread> meters;
    for (int m = 0; m < o.meters; ++m) {
        meters.emplace_back([&, m] {
            // A data directory per meter, so that quorvane-report reads each one's own log.
            const std::string data = o.dir + "/meter-" + std::to_string(m);
            std::filesystem::create_directories(data + "/config");
            const std::string path = data + "/config/log.db";
            std::filesystem::remove(path);
            test::create_log_db(path);
            LogDatabase log(path);
            for (int d = 0; d < o.devices; ++d) {
                log.insert_connection(LogRow{id_of(m, d, 0), "2026-12-11", "10:00", "local",
                                             "eth" + std::to_string(d), 0, 1000000000, 0, 0});
            }
            CentralLedger ledger(path);
            const CentralTarget target{o.url_prefix + " user=meter_" + std::to_string(m),
                                       "meter-" + std::to_string(m)};
            auto next = begin + interval * m / o.meters;
            std::vector<LogRow> rows;
            for (int d = 0; d < o.devices; ++d) {
                rows.push_back(LogRow{id_of(m, d, 0), "2026-12-11", "10:00", "local",
                                      "eth" + std::to_string(d), 0, 1000000000, 0, 0});
            }
            for (int round = 1; next < end; ++round, next += interval) {
                std::this_thread::sleep_until(next);
                // The logger's rewrite of every open connection, and now and then a
                // connection that ends and a new one.
                for (auto& row : rows) {
                    row.duration += o.interval_s;
                    row.dload += 123456 * round;
                    row.uload += 7890 * round;
                }
                log.update_connections(rows);
                if (round % 10 == 0) {
                    rows[round % o.devices].devuniqueid = id_of(m, round % o.devices, round);
                    log.insert_connection(rows[round % o.devices]);
                }
                const auto started = Clock::now();
                try {
                    const auto result = push_to_central(
                        ledger, target, PgDeadline(started + std::chrono::seconds(20)));
                    rows_pushed += static_cast<long>(result.rows);
                    const double ms =
                        std::chrono::duration<double, std::milli>(Clock::now() - started).count();
                    std::lock_guard lock(mutex);
                    latencies_ms.push_back(ms);
                } catch (const std::exception& error) {
                    std::lock_guard lock(mutex);
                    failures.push_back(error.what());
                }
            }
        });
    }
    for (auto& meter : meters) meter.join();

    std::sort(latencies_ms.begin(), latencies_ms.end());
    auto at = [&](double q) {
        if (latencies_ms.empty()) return 0.0;
        return latencies_ms[std::min(
            latencies_ms.size() - 1,
            static_cast<size_t>(q * static_cast<double>(latencies_ms.size())))];
    };
    std::printf("meters %d, devices %d, interval %d s, duration %d s\n", o.meters, o.devices,
                o.interval_s, o.duration_s);
    std::printf("pushes %zu, failures %zu, rows pushed %ld\n", latencies_ms.size(), failures.size(),
                rows_pushed.load());
    std::printf("push latency ms: p50 %.1f  p90 %.1f  p99 %.1f  max %.1f\n", at(0.5), at(0.9),
                at(0.99), latencies_ms.empty() ? 0.0 : latencies_ms.back());
    for (size_t i = 0; i < std::min<size_t>(failures.size(), 5); ++i) {
        std::printf("failure: %s\n", failures[i].c_str());
    }
    return failures.empty() ? 0 : 1;
}
