#pragma once

#include <string>

#include "format/RegionalSettings.h"
#include "report/Report.h"
#include "report/ReportOptions.h"

namespace quorvane {

// The report over the central log (--database): its rows of the period, of one host or all,
// summed with the tariffs of the data directory's config/dev.ini as a meter's own report sums
// them. Each host's groups are made from its rows alone. Throws CentralError when the central
// log cannot be read, and as make_report does for the tariffs and sums.
Report make_central_report(const ReportOptions& options, const std::string& data_dir,
                           const RegionalSettings& regional);

}  // namespace quorvane
