#pragma once

#include <ostream>

#include "format/RegionalSettings.h"
#include "report/Report.h"

namespace quorvane {

// An aligned table with a heading, the byte and duration formats of the program and the
// regional separators, then the summary as the main window shows it.
void write_table_report(const Report& report, const RegionalSettings& regional, std::ostream& out);
// A header line and one line per row, comma-separated, quoted as RFC 4180 asks; a blank line,
// then the summary's header and values. Bytes and seconds as integers, amounts with two
// decimals and a point.
void write_csv_report(const Report& report, std::ostream& out);
// One JSON object: data_dir, device (null for all), from, to, view, rows and summary.
void write_json_report(const Report& report, std::ostream& out);

}  // namespace quorvane
