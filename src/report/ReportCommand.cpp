#include "report/ReportCommand.h"

#include <sys/stat.h>

#include <string>
#include <utility>

#include "config/Conversions.h"
#include "logdb/CentralError.h"
#include "logdb/LogDatabase.h"
#include "logdb/LogFilter.h"
#include "report/BudgetReport.h"
#include "report/CentralReport.h"
#include "report/Report.h"
#include "report/ReportOptions.h"
#include "report/ReportText.h"
#include "report/ReportWriters.h"
#include "usage/DatabaseView.h"
#include "usage/PeriodUsage.h"

namespace quorvane {

namespace {

constexpr const char* kName = "quorvane-report";

bool is_file(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

Report make_report(const ReportOptions& options, const std::string& data_dir,
                   const RegionalSettings& regional) {
    LogDatabase log(data_dir + "/config/log.db");
    LogFilter filter;
    filter.dates = LogFilter::DateRange{options.from, options.to};
    if (options.device) {
        filter.device_pattern = *options.device;
        filter.device_is_name = true;
    }
    // The tariffs and the regional settings they are read with, as the main window reads
    // them for its database view.
    TariffBook tariffs(data_dir + "/config/dev.ini", regional);
    Report report = report_asked(options, data_dir);
    if (options.view == ReportOptions::View::Connections) {
        report.log_connections = read_log_connections(log, filter, tariffs);
        if (report.log_connections) {
            report.summary = report.log_connections->summary;
        } else {
            DatabaseView view =
                read_database_view(log, filter, tariffs, OrderedLogRows::Columns::all);
            report.summary = view.summary;
            report.connections = view.rows.copies();
        }
    } else {
        // The sums by day or month need neither the connection ids nor a row of text each.
        const GroupBy by =
            options.view == ReportOptions::View::Daily ? GroupBy::Day : GroupBy::Month;
        PeriodUsage usage = read_period_usage(log, filter, by, tariffs);
        report.summary = usage.summary;
        report.groups = std::move(usage.groups);
    }
    return report;
}

void write_report(const Report& report, ReportOptions::Format format,
                  const RegionalSettings& regional, ReportText& out) {
    switch (format) {
        case ReportOptions::Format::Text:
            return write_table_report(report, regional, out);
        case ReportOptions::Format::Csv:
            return write_csv_report(report, out);
        case ReportOptions::Format::Json:
            return write_json_report(report, out);
    }
}

}  // namespace

int run_report(const std::vector<std::string>& arguments, const ReportEnvironment& environment,
               std::ostream& out, std::ostream& err) {
    ReportOptions options;
    try {
        options = parse_report_options(arguments, environment.today);
    } catch (const UsageError& error) {
        err << kName << ": " << error.what() << '\n'
            << report_synopsis() << "Run " << kName << " --help for the options.\n";
        return kReportUsageError;
    }
    if (options.help) {
        out << report_usage();
        return kReportDone;
    }
    if (options.version) {
        out << kName << " " << QUORVANE_VERSION << '\n';
        return kReportDone;
    }

    const std::string data_dir =
        options.data_dir ? *options.data_dir : settle_data_dir(environment.data_dir_sources, err);
    if (options.database) {
        // The central log instead of this machine's; the tariffs are still the data
        // directory's.
        ReportText text(out);
        try {
            write_report(make_central_report(options, data_dir, environment.regional),
                         options.format, environment.regional, text);
        } catch (const CentralError& error) {
            err << kName << ": central log: " << error.what() << '\n';
            return kReportDataError;
        } catch (const ConversionError& error) {
            err << kName << ": " << error.what() << '\n';
            return kReportDataError;
        }
        return text.finish() ? kReportDone : kReportDataError;
    }
    // The database is never created here: without it there is nothing to report.
    if (!is_file(data_dir + "/config/log.db")) {
        err << kName << ": no log database in the data directory " << data_dir
            << " (config/log.db is missing)\n";
        return kReportDataError;
    }
    if (options.budget) return run_budget_report(options, data_dir, environment, out, err);
    ReportText text(out);
    try {
        write_report(make_report(options, data_dir, environment.regional), options.format,
                     environment.regional, text);
    } catch (const LogDatabaseError& error) {
        err << kName << ": " << error.what() << '\n';
        return kReportDataError;
    } catch (const DatabaseViewError& error) {
        // A tariff of config/dev.ini that does not convert.
        err << kName << ": " << data_dir << "/config/dev.ini: " << error.what() << '\n';
        return kReportDataError;
    } catch (const ConversionError& error) {
        // A sum past the range of amounts or byte counts.
        err << kName << ": " << error.what() << '\n';
        return kReportDataError;
    }
    if (!text.finish()) {
        err << kName << ": the report could not be written\n";
        return kReportDataError;
    }
    return kReportDone;
}

}  // namespace quorvane
