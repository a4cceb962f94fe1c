#include "report/ReportOptions.h"

#include <chrono>
#include <cstdio>

#include "logdb/LogFilterClause.h"

namespace quorvane {

namespace {

using View = ReportOptions::View;
using Format = ReportOptions::Format;

std::string iso(const std::chrono::year_month_day& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::string checked_date(const std::string& option, const std::string& text) {
    if (!is_iso_date(text)) {
        throw UsageError(option + ": \"" + text + "\" is not a date of the form YYYY-MM-DD");
    }
    return text;
}

void set_once(std::optional<std::string>& slot, const std::string& option,
              const std::string& value) {
    if (slot) throw UsageError(option + " is given twice");
    slot = value;
}

}  // namespace

ReportOptions parse_report_options(const std::vector<std::string>& arguments,
                                   const LocalTime& today) {
    ReportOptions options;
    std::optional<std::string> from, to, view, format;
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        std::optional<std::string> inline_value;
        // --name=value is the same as --name value.
        if (auto equals = option.find('=');
            option.rfind("--", 0) == 0 && equals != std::string::npos) {
            inline_value = option.substr(equals + 1);
            option.resize(equals);
        }
        auto value = [&]() -> std::string {
            if (inline_value) return *inline_value;
            if (i + 1 >= arguments.size()) throw UsageError(option + " needs a value");
            return arguments[++i];
        };
        auto no_value = [&] {
            if (inline_value) throw UsageError(option + " takes no value");
        };
        if (option == "--help" || option == "-h") {
            no_value();
            options.help = true;
        } else if (option == "--version") {
            no_value();
            options.version = true;
        } else if (option == "--data-dir") {
            set_once(options.data_dir, option, value());
            if (options.data_dir->empty()) throw UsageError("--data-dir needs a directory");
        } else if (option == "--device") {
            set_once(options.device, option, value());
        } else if (option == "--database") {
            set_once(options.database, option, value());
            if (options.database->empty()) throw UsageError("--database needs a connection string");
        } else if (option == "--host") {
            set_once(options.host, option, value());
        } else if (option == "--from") {
            set_once(from, option, checked_date(option, value()));
        } else if (option == "--to") {
            set_once(to, option, checked_date(option, value()));
        } else if (option == "--connections" || option == "--daily" || option == "--monthly") {
            no_value();
            if (view) throw UsageError(option + " and " + *view + " cannot be given together");
            view = option;
        } else if (option == "--budget") {
            no_value();
            options.budget = true;
        } else if (option == "--format") {
            set_once(format, option, value());
        } else {
            throw UsageError("unknown option \"" + arguments[i] + "\"");
        }
    }
    if (options.help || options.version) return options;
    if (options.budget && (from || to || view)) {
        throw UsageError("--budget is this month's and takes no period or view");
    }
    if (options.host && !options.database) throw UsageError("--host needs --database");
    if (options.budget && options.database) {
        throw UsageError("--budget reads this machine's log and takes no --database");
    }

    if (view == "--connections") options.view = View::Connections;
    if (view == "--monthly") options.view = View::Monthly;
    if (format) {
        if (*format == "text") {
            options.format = Format::Text;
        } else if (*format == "csv") {
            options.format = Format::Csv;
        } else if (*format == "json") {
            options.format = Format::Json;
        } else {
            throw UsageError("--format: \"" + *format + "\" is not one of text, csv, json");
        }
    }
    using namespace std::chrono;
    const year_month month{year(today.year),
                           std::chrono::month(static_cast<unsigned>(today.month))};
    options.from = from ? *from : iso(year_month_day{month / 1});
    options.to = to ? *to : iso(year_month_day{month / last});
    // ISO dates compare as text in date order.
    if (options.from > options.to) {
        throw UsageError("--from " + options.from + " is after --to " + options.to);
    }
    return options;
}

std::string report_synopsis() {
    return "Usage: quorvane-report [--data-dir DIR] [--device NAME] [--from YYYY-MM-DD]\n"
           "                       [--to YYYY-MM-DD] [--connections | --daily | --monthly]\n"
           "                       [--format text|csv|json] [--database URL [--host NAME]]\n"
           "       quorvane-report --budget [--data-dir DIR] [--device NAME]\n"
           "                       [--format text|csv|json]\n";
}

std::string report_usage() {
    return report_synopsis() +
           "\n"
           "Reports what Quorvane logged: its connections, or their sums by day (the default)\n"
           "or by month, with costs by the tariffs of config/dev.ini, and the summary of the\n"
           "main window's database view. The log is only read, also while Quorvane logs.\n"
           "\n"
           "  --data-dir DIR   the data directory; by default CurrentDir of\n"
           "                   /etc/quorvane/registry.ini, then of\n"
           "                   $XDG_CONFIG_HOME/quorvane/registry.ini, else "
           "$XDG_DATA_HOME/quorvane\n"
           "                   (~/.local/share/quorvane)\n"
           "  --device NAME    one device (its name, letter case ignored); by default every one\n"
           "  --from, --to     the first and the last day of the period, both included; by\n"
           "                   default the first and the last day of the current month\n"
           "  --connections    one line per connection\n"
           "  --daily          one line per day and device (the default)\n"
           "  --monthly        one line per month and device\n"
           "  --budget         each device's monthly budget (Budget_cost, Budget_mbytes of\n"
           "                   config/dev.ini; megabytes of 1048576 bytes), its month to date\n"
           "                   (this month's connections in the log) and the percent used\n"
           "  --format F       text (an aligned table, the default), csv or json\n"
           "  --database URL   read the central log that meters push into (a libpq connection\n"
           "                   string, its password in ~/.pgpass) instead of this machine's\n"
           "                   log; the tariffs still come from the data directory's dev.ini\n"
           "  --host NAME      with --database: one meter's rows; by default every host's,\n"
           "                   with a host column when there is more than one\n"
           "  -h, --help       this text\n"
           "  --version        the version\n"
           "\n"
           "Exit status: 0 done, 1 the log database is missing or cannot be read, 2 a wrong\n"
           "command line, 3 with --budget: a device is at or over a budget.\n";
}

}  // namespace quorvane
