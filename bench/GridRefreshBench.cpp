// The database view's refresh as the window does it, over logs of 100,000 and 1,000,000
// rows with a date range over the whole log: the query and every row's costs, the rows handed to
// the grid's model, and the grid painted with its first screenful (the offscreen platform, so it
// runs without a display).
#include <benchmark/benchmark.h>

#include <cstdint>

#include <QApplication>
#include <QCoreApplication>

#include "LogFixture.h"
#include "logdb/LogDatabase.h"
#include "ui/main/LogGrid.h"
#include "ui/main/LogGridModel.h"
#include "usage/DatabaseView.h"
#include "usage/TariffBook.h"

namespace quorvane::bench {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "qv_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at the process's exit Qt's own globals are gone before a static
    // application object would be, and its destructor then crashed the run.
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

void BM_GridRefresh(benchmark::State& state) {
    application();
    const LogFixture& log_fixture = fixture(state.range(0));
    LogDatabase log(log_fixture.log_path());
    // The filter boxes from the first to the last day of the log.
    LogFilter filter;
    filter.dates = LogFilter::DateRange{"2020-01-01", "2026-12-31"};
    LogGridModel model(RegionalSettings{});
    LogGrid grid(&model);
    grid.resize(731, 218);  // the main window's grid
    grid.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        TariffBook tariffs(log_fixture.ini_path(), RegionalSettings{});
        DatabaseView view = read_database_view(log, filter, tariffs);
        benchmark::DoNotOptimize(view.summary);
        model.set_log_rows(std::move(view.rows));
        grid.repaint();
        if (model.data_rows() != state.range(0)) state.SkipWithError("rows");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GridRefresh)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench
