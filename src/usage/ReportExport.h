#pragma once

#include <string>

#include "format/LocalTime.h"
#include "format/RegionalSettings.h"
#include "usage/ExportPrompts.h"
#include "usage/UsageReport.h"

namespace quorvane {

// The confirmation shown when the workbook could not be written: the reason (which names
// the file and the system's message), then the offer of the tab-delimited text report.
std::string text_route_message(const std::string& reason);

// The offered file name: "rpt-", the date as yyyymmdd, ".", the extension
// (rpt-20261210.xlsx).
std::string report_file_name(const LocalTime& today, const std::string& extension);

// Exports the report. The save dialog offers rpt-yyyymmdd.xlsx; when confirmed, the
// workbook is written there and opened with the desktop's application. When the workbook
// cannot be written, the reason goes to prompts.sheet_failed and the confirmation
// text_route_message(reason) is asked; on OK the dialog offers rpt-yyyymmdd.txt and the text report
// is written there. A cancelled dialog or confirmation ends the export with nothing
// written. A text report that cannot be written throws ReportError.
void export_report(const UsageReport& report, const RegionalSettings& regional,
                   const LocalTime& today, ExportPrompts& prompts);

}  // namespace quorvane
