#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "format/RegionalSettings.h"
#include "report/Report.h"
#include "report/ReportText.h"

namespace quorvane {

// Each writer makes first what can fail (the summary's texts), so that nothing is written
// when it fails; the connections' lines cannot fail and go out as they are made.
//
// An aligned table with a heading, the byte and duration formats of the program and the
// regional separators, then the summary as the main window shows it.
void write_table_report(const Report& report, const RegionalSettings& regional, ReportText& out);
// A header line and one line per row, comma-separated, quoted as RFC 4180 asks; a blank line,
// then the summary's header and values. Bytes and seconds as integers, amounts with two
// decimals and a point.
void write_csv_report(const Report& report, ReportText& out);
// One JSON object: data_dir, device (null for all), from, to, view, rows and summary.
void write_json_report(const Report& report, ReportText& out);

// What the writers above are made of, for the other reports: a JSON string, a CSV line, a
// name as one line of a table, and an aligned table whose `right` columns are numbers.
std::string json_text(const std::string& text);
void write_csv_line(std::ostream& out, const std::vector<std::string>& fields);
std::string table_text(const std::string& text);
void write_aligned_table(const std::vector<std::string>& header, const std::vector<bool>& right,
                         const std::vector<std::vector<std::string>>& rows, std::ostream& out);

}  // namespace quorvane
