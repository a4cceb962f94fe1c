#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/LocalTime.h"

namespace quorvane {

// What one run of quorvane-report is asked for.
struct ReportOptions {
    enum class View { Connections, Daily, Monthly };
    enum class Format { Text, Csv, Json };

    std::optional<std::string> data_dir;  // --data-dir; else the stores and the current dir
    std::optional<std::string> device;    // --device; else every device
    std::optional<std::string> database;  // --database: the central log's connection string
    std::optional<std::string> host;      // --host: one host of the central log; else all
    std::string from;                     // ISO date, inclusive
    std::string to;                       // ISO date, inclusive
    View view = View::Daily;
    Format format = Format::Text;
    bool budget = false;  // --budget: the monthly budgets instead of a period's usage
    bool help = false;
    bool version = false;
};

// A command line that does not make sense; the message says what is wrong.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options of the arguments (the program name not among them). Without --from or --to
// the period is the calendar month of `today`. An unknown option, a missing or repeated
// value, two views, a date that is not a real YYYY-MM-DD date, or --from after --to throw
// UsageError. --help and --version win over every other argument that parses.
ReportOptions parse_report_options(const std::vector<std::string>& arguments,
                                   const LocalTime& today);

// The usage lines, and the whole text of --help that begins with them.
std::string report_synopsis();
std::string report_usage();

}  // namespace quorvane
