#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/RegionalSettings.h"
#include "logdb/LogRow.h"
#include "usage/LogRowTexts.h"
#include "usage/SummaryTexts.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

// What a usage report is made of: the period caption of the filter ("12/10/2026 to
// 12/10/2026" or "All record"), the text of the device box, the rows the database view was
// just filled with, in its order, and their summary.
struct UsageReport {
    std::string period;
    std::string device;
    std::vector<LogRow> rows;
    Tlog_summary summary;
};

// The texts both layouts write: the seven values of every row, as the grid shows them, and
// the four summary values (the count, time / cost, data / cost, the total cost).
struct ReportTexts {
    std::vector<GridRowTexts> rows;
    SummaryTexts summary;
};

// Throws ConversionError when the total cost passes the range of amounts.
ReportTexts report_texts(const UsageReport& report, const RegionalSettings& regional);

inline constexpr const char* kReportTitle = "Network Device Usage Report";

// The column headers of both layouts. The blanks around the words are part of them: they
// widen the sheet's fitted columns.
inline constexpr std::array<const char*, 7> kReportHeader = {
    "     Start date     ", "     Start time     ", "     Network device     ", "     Duration    ",
    "     Download     ",   "     Upload     ",     "     Total traffic     "};

// A report that could not be written. The message names the file and the cause.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quorvane
