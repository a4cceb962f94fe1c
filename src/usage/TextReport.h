#pragma once

#include <ostream>
#include <string>

#include "format/RegionalSettings.h"
#include "usage/UsageReport.h"

namespace quorvane {

// The tab-delimited report, each line ended by CR LF: the title, the period and the device,
// the header line, one line per row with its seven values, then the summary. Texts are
// written as they are held (UTF-8, the encoding of the system's locale here). A tab, a
// carriage return or a line feed inside a value (a device name may hold one) is written as
// a blank, so that every row stays one line of seven fields.
void write_text_report(const UsageReport& report, const RegionalSettings& regional,
                       std::ostream& out);

// Writes the text report to the file at path in one step: the file is either the whole new
// report or, on a failure, what it was before. Throws ReportError naming the file and the
// cause.
void save_text_report(const UsageReport& report, const RegionalSettings& regional,
                      const std::string& path);

}  // namespace quorvane
