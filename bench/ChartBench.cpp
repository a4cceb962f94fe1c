// The usage chart over logs of 100,000 and 1,000,000 rows, beside the database view's
// refresh (ViewRefreshBench.cpp, GridRefreshBench.cpp): the chart starts from the rows the
// refresh has just read, so what it adds is the bars (every row priced once more) and the
// window's series, axes and painting. Over the whole seven years the bars are months; over
// 62 days, days.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include <QApplication>
#include <QChartView>
#include <QCoreApplication>

#include "LogFixture.h"
#include "logdb/LogDatabase.h"
#include "ui/chart/TFtuneup.h"
#include "usage/DatabaseView.h"
#include "usage/TariffBook.h"
#include "usage/UsageBars.h"

namespace quorvane::bench {
namespace {

void offscreen_application() {
    static int argc = 1;
    static char name[] = "qv_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QApplication> app = std::make_unique<QApplication>(argc, argv);
}

LogFilter dates(const char* from, const char* to) {
    LogFilter filter;
    filter.dates = LogFilter::DateRange{from, to};
    return filter;
}

// The bars alone, over the rows the database view read.
void bars(benchmark::State& state, const LogFilter& filter) {
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    TariffBook view_tariffs(log_fixture.ini_path(), RegionalSettings{});
    const DatabaseView view = read_database_view(log, filter, view_tariffs);
    for (auto _ : state) {
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        const UsageBars result = usage_bars(view.rows, filter, tariffs);
        if (!(result.summary == view.summary)) state.SkipWithError("summary");
        benchmark::DoNotOptimize(result.bars.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(view.rows.size()));
}

void BM_UsageBarsAllYears(benchmark::State& state) {
    bars(state, dates("2020-01-01", "2026-12-31"));
}
BENCHMARK(BM_UsageBarsAllYears)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_UsageBars62Days(benchmark::State& state) {
    bars(state, dates("2024-01-01", "2024-03-02"));
}
BENCHMARK(BM_UsageBars62Days)->Arg(1000000)->Unit(benchmark::kMillisecond);

// What the chart button adds to a refresh: the bars, the window's series and axes, and the
// chart painted once, in the window's size.
void BM_ChartWindow(benchmark::State& state) {
    offscreen_application();
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    const LogFilter filter = dates("2020-01-01", "2026-12-31");
    TariffBook view_tariffs(log_fixture.ini_path(), RegionalSettings{});
    const DatabaseView view = read_database_view(log, filter, view_tariffs);
    TFtuneup window;
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        window.show_usage(usage_bars(view.rows, filter, tariffs), "All", "1/01/2020 to 12/31/2026",
                          RegionalSettings{});
        window.chart_view()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(view.rows.size()));
}
BENCHMARK(BM_ChartWindow)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench
