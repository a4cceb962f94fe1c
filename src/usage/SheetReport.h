#pragma once

#include <string>

#include "format/RegionalSettings.h"
#include "usage/UsageReport.h"

namespace quorvane {

// The report as a spreadsheet workbook (.xlsx) of one worksheet, for N rows and R = N + 8:
//   A1 the title, size 12 bold; A3 "Period  :" and A4 "Network device    :" (A3 to A5 size
//   10 bold) with the period and the device text in B3 and B4;
//   row 7 the header, A7 to G7 size 10 bold, centred, a double line above and below;
//   rows 8 to N + 7 the seven values of each row, in columns A to G, as text;
//   A(R + 3) "Summary", size 11 bold; A(R + 5) to A(R + 8) the summary captions, size 10
//   bold, with their values in C(R + 5) to C(R + 8), aligned left (the count as a number).
// Columns A to G are as wide as their header and data texts need (A also fits the captions
// of A3 and A4). With no rows the header is followed by the summary at once, from A11.
// The file at path is either the whole new workbook or, on a failure, what it was before.
// Throws ReportError naming the file and the cause.
void write_sheet_report(const UsageReport& report, const RegionalSettings& regional,
                        const std::string& path);

}  // namespace quorvane
