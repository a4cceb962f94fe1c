// quorvane-report over a whole log of 100,000 and 1,000,000 rows (the same fixture as the
// database view's benchmarks): the connections as JSON and CSV and the sums by day and by
// month as CSV (and by day over the same rows written in the order they start), written to a
// stream that keeps nothing. BM_LogScanFloor (ViewRefreshBench.cpp),
// the engine's bare scan of the same rows and columns, is their floor. bench/report.sh makes
// the same measurement with real processes, against the sqlite3 shell.
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "LogFixture.h"
#include "report/ReportCommand.h"

namespace quorvane::bench {
namespace {

// Counts what it is given and keeps nothing.
class CountingBuffer : public std::streambuf {
public:
    std::streamsize written = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        written += count;
        return count;
    }
    int_type overflow(int_type c) override {
        ++written;
        return traits_type::not_eof(c);
    }
};

void report(benchmark::State& state, std::vector<std::string> view, bool in_start_order = false) {
    const LogFixture& log_fixture =
        in_start_order ? fixture_in_start_order(state.range(0)) : fixture(state.range(0));
    std::vector<std::string> arguments = {
        "--data-dir", log_fixture.dir.str(), "--from", "2020-01-01", "--to", "2026-12-31"};
    arguments.insert(arguments.end(), view.begin(), view.end());
    ReportEnvironment environment;
    environment.today = LocalTime{2026, 12, 31, 12, 0, 0};
    for (auto _ : state) {
        CountingBuffer out_buffer, err_buffer;
        std::ostream out(&out_buffer), err(&err_buffer);
        if (run_report(arguments, environment, out, err) != kReportDone) {
            state.SkipWithError("the report failed");
            break;
        }
        benchmark::DoNotOptimize(out_buffer.written);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReportConnectionsJson(benchmark::State& state) {
    report(state, {"--connections", "--format", "json"});
}
BENCHMARK(BM_ReportConnectionsJson)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReportConnectionsCsv(benchmark::State& state) {
    report(state, {"--connections", "--format", "csv"});
}
BENCHMARK(BM_ReportConnectionsCsv)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReportDailyCsv(benchmark::State& state) {
    report(state, {"--daily", "--format", "csv"});
}
BENCHMARK(BM_ReportDailyCsv)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReportMonthlyCsv(benchmark::State& state) {
    report(state, {"--monthly", "--format", "csv"});
}
BENCHMARK(BM_ReportMonthlyCsv)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The same rows written in the order they start, as a meter writes them: the pass gives each
// day's rows in turn, and putting them in the view's order takes no sort.
void BM_ReportDailyCsvInStartOrder(benchmark::State& state) {
    report(state, {"--daily", "--format", "csv"}, true);
}
BENCHMARK(BM_ReportDailyCsvInStartOrder)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench
