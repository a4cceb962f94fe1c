// One refresh of the database view over a whole log (the query, then every row's costs
// with a fresh tariff book) in a real SQLite file of 100,000 and 1,000,000 rows, its two
// halves on their own, and the engine's bare scan of the same rows as the floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include <sqlite3.h>

#include "LogFixture.h"
#include "logdb/LogDatabase.h"
#include "usage/DatabaseView.h"
#include "usage/TariffBook.h"

namespace quorvane::bench {
namespace {

// What a refresh does: one query, every row's costs with a fresh tariff book. A filter
// over the whole log must give all its rows, any other at least one.
void refresh(benchmark::State& state, const LogFilter& filter, bool whole_log) {
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    for (auto _ : state) {
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        DatabaseView view = read_database_view(log, filter, tariffs);
        benchmark::DoNotOptimize(view.summary);
        const bool complete = whole_log ? static_cast<int64_t>(view.rows.size()) == state.range(0)
                                        : !view.rows.empty();
        if (!complete) state.SkipWithError("rows");
    }
    if (whole_log) state.SetItemsProcessed(state.iterations() * state.range(0));
}

LogFilter dates(const char* from, const char* to) {
    LogFilter filter;
    filter.dates = LogFilter::DateRange{from, to};
    return filter;
}

// "All record": no date range.
void BM_DatabaseViewRefresh(benchmark::State& state) {
    refresh(state, LogFilter{}, true);
}
BENCHMARK(BM_DatabaseViewRefresh)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A date range, as the window's filter mostly has one: the whole seven years (a pass over
// the table), and a single day (through the start index).
void BM_DatabaseViewRefreshAllYears(benchmark::State& state) {
    refresh(state, dates("2020-01-01", "2026-12-31"), true);
}
BENCHMARK(BM_DatabaseViewRefreshAllYears)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_DatabaseViewRefreshOneDay(benchmark::State& state) {
    refresh(state, dates("2024-01-05", "2024-01-05"), false);
}
BENCHMARK(BM_DatabaseViewRefreshOneDay)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The query alone, with the columns the grid shows.
void BM_ReadOrdered(benchmark::State& state) {
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    for (auto _ : state) {
        auto rows = log.read_ordered(LogFilter{}, OrderedLogRows::Columns::shown);
        benchmark::DoNotOptimize(rows.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadOrdered)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The query with every column, as the report command reads it, into rows of their own.
void BM_ReadFiltered(benchmark::State& state) {
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    for (auto _ : state) {
        auto rows = log.read_filtered(LogFilter{});
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFiltered)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The floor of a refresh: the engine stepping through the same rows and the columns the
// grid shows, every value read and nothing kept, on a connection of its own.
class FloorScan {
public:
    explicit FloorScan(const LogFixture& log_fixture) {
        check(sqlite3_open_v2(log_fixture.log_path().c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr),
              m_db, "open");
        check(sqlite3_prepare_v2(m_db,
                                 "SELECT startdate,starttime,Deventry,Duration,dload,uload,rowid "
                                 "FROM log",
                                 -1, &m_select, nullptr),
              m_db, "prepare");
    }
    ~FloorScan() {
        sqlite3_finalize(m_select);
        sqlite3_close(m_db);
    }
    FloorScan(const FloorScan&) = delete;
    FloorScan& operator=(const FloorScan&) = delete;

    void run() {
        int64_t sum = 0;
        while (sqlite3_step(m_select) == SQLITE_ROW) {
            for (int column = 0; column < 3; ++column) {
                benchmark::DoNotOptimize(sqlite3_column_text(m_select, column));
                sum += sqlite3_column_bytes(m_select, column);
            }
            for (int column = 3; column < 7; ++column) {
                sum += sqlite3_column_int64(m_select, column);
            }
        }
        sqlite3_reset(m_select);
        benchmark::DoNotOptimize(sum);
    }

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_select = nullptr;
};

void BM_LogScanFloor(benchmark::State& state) {
    FloorScan floor(fixture(state.range(0)));
    for (auto _ : state) floor.run();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LogScanFloor)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A refresh and the floor taken turn about in each iteration, so that both see the same
// machine: the counters give each one's time per iteration and the refresh's time as a
// multiple of the floor's.
void BM_DatabaseViewOverFloor(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    FloorScan floor_scan(log_fixture);
    Clock::duration floor{}, view{};
    for (auto _ : state) {
        const auto start = Clock::now();
        floor_scan.run();
        const auto scanned = Clock::now();
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        DatabaseView refreshed = read_database_view(log, LogFilter{}, tariffs);
        benchmark::DoNotOptimize(refreshed.summary);
        if (static_cast<int64_t>(refreshed.rows.size()) != state.range(0)) {
            state.SkipWithError("rows");
        }
        floor += scanned - start;
        view += Clock::now() - scanned;
    }
    const auto ms = [&](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() /
               static_cast<double>(state.iterations());
    };
    state.counters["floor_ms"] = ms(floor);
    state.counters["view_ms"] = ms(view);
    state.counters["view_per_floor"] = ms(view) / ms(floor);
}
BENCHMARK(BM_DatabaseViewOverFloor)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The costs alone, over rows already read.
void BM_SummarizeRows(benchmark::State& state) {
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    const auto rows = log.read_ordered(LogFilter{}, OrderedLogRows::Columns::shown);
    for (auto _ : state) {
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        benchmark::DoNotOptimize(summarize_rows(rows, tariffs));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SummarizeRows)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench
