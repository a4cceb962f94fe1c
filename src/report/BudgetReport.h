#pragma once

#include <ostream>
#include <string>

#include "report/ReportCommand.h"
#include "report/ReportOptions.h"

namespace quorvane {

// quorvane-report --budget: per device with a monthly budget (one line per budget: money or
// traffic), the budget, the month to date from the log and the percent used, as a table, CSV
// or JSON. Returns kReportOverBudget when a device has reached or passed a budget, else
// kReportDone; kReportDataError when the log or dev.ini cannot be read.
int run_budget_report(const ReportOptions& options, const std::string& data_dir,
                      const ReportEnvironment& environment, std::ostream& out, std::ostream& err);

}  // namespace quorvane
