#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "config/DataDir.h"
#include "format/LocalTime.h"
#include "format/RegionalSettings.h"

namespace quorvane {

// What a run of quorvane-report takes from the machine.
struct ReportEnvironment {
    DataDirSources data_dir_sources;
    LocalTime today;
    RegionalSettings regional;
};

inline constexpr int kReportDone = 0;
inline constexpr int kReportDataError = 1;  // no log database, or it cannot be read
inline constexpr int kReportUsageError = 2;
inline constexpr int kReportOverBudget = 3;  // --budget: a device is at or over a budget

// The whole run: the options, the data directory, the filtered log read once (never
// written), and the report on `out`, written only when all of it was made. Problems go to
// `err` as one line. Returns the exit status.
int run_report(const std::vector<std::string>& arguments, const ReportEnvironment& environment,
               std::ostream& out, std::ostream& err);

}  // namespace quorvane
