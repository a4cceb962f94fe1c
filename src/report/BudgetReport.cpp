#include "report/BudgetReport.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "config/Conversions.h"
#include "config/IniFile.h"
#include "format/AsciiCase.h"
#include "logdb/LogDatabase.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "usage/AmountFormat.h"
#include "usage/DeviceBudget.h"
#include "usage/MonthToDate.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

constexpr const char* kName = "quorvane-report";

// One budget of one device; amounts and megabytes in ten-thousandths.
struct BudgetLine {
    std::string device;
    BudgetKind kind = BudgetKind::Cost;
    int64_t budget = 0;
    int64_t month_to_date = 0;
    int64_t percent = 0;
    bool over = false;
};

const char* kind_name(BudgetKind kind) {
    return kind == BudgetKind::Cost ? "cost" : "traffic";
}

std::vector<BudgetLine> budget_lines(const ReportOptions& options, const std::string& data_dir,
                                     const ReportEnvironment& environment) {
    const IniFile dev_ini(data_dir + "/config/dev.ini");
    const std::vector<NamedBudget> budgets = read_budgets(dev_ini, environment.regional);
    std::vector<BudgetLine> lines;
    if (budgets.empty()) return lines;
    // The log as it stands: the row of a connection in progress holds its figures of at
    // most 30 seconds ago.
    LogDatabase log(data_dir + "/config/log.db");
    TariffBook tariffs(dev_ini.path(), environment.regional);
    MonthToDate month;
    month.read_base(log, environment.today, {}, tariffs);
    for (const NamedBudget& named : budgets) {
        if (options.device && !equals_ignoring_case(*options.device, named.device)) continue;
        const Tlog_summary used = month.of(named.device);
        for (BudgetKind kind : {BudgetKind::Cost, BudgetKind::Traffic}) {
            const bool has =
                kind == BudgetKind::Cost ? named.budget.has_cost() : named.budget.has_traffic();
            if (!has) continue;
            BudgetLine line;
            line.device = named.device;
            line.kind = kind;
            line.budget = kind == BudgetKind::Cost ? named.budget.cost : named.budget.mbytes;
            line.month_to_date =
                kind == BudgetKind::Cost
                    ? total_cost(used)
                    : static_cast<int64_t>(static_cast<long double>(used.total_traffic) * 10000 /
                                           kBudgetMegabyte);
            line.percent = percent_used(named.budget, kind, used);
            line.over = has_reached(named.budget, kind, used, 100);
            lines.push_back(line);
        }
    }
    return lines;
}

std::string month_of(const LocalTime& today) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", today.year, today.month);
    return text;
}

void write_text(const std::vector<BudgetLine>& lines, const std::string& data_dir,
                const ReportEnvironment& environment, std::ostream& out) {
    const RegionalSettings& regional = environment.regional;
    out << "Quorvane monthly budgets\n"
        << "Data directory: " << table_text(data_dir) << '\n'
        << "Month:          " << month_of(environment.today) << "\n\n";
    if (lines.empty()) {
        out << "No device has a monthly budget (Budget_cost or Budget_mbytes in "
               "config/dev.ini).\n";
        return;
    }
    std::vector<std::vector<std::string>> rows;
    std::string over;
    for (const BudgetLine& line : lines) {
        const std::string unit = line.kind == BudgetKind::Traffic ? " MB" : "";
        rows.push_back({table_text(line.device), kind_name(line.kind),
                        amount_to_str(line.budget, regional) + unit,
                        amount_to_str(line.month_to_date, regional) + unit,
                        std::to_string(line.percent) + " %", line.over ? "over" : ""});
        if (line.over) over += (over.empty() ? "" : ", ") + table_text(line.device);
    }
    write_aligned_table({"Network device", "Budget", "Amount", "Month to date", "Used", ""},
                        {false, false, true, true, true, false}, rows, out);
    out << '\n'
        << (over.empty() ? "Every device is within its budgets.\n"
                         : "At or over a budget: " + over + "\n");
}

void write_csv(const std::vector<BudgetLine>& lines, std::ostream& out) {
    write_csv_line(out, {"device", "budget", "amount", "month_to_date", "percent_used", "over"});
    for (const BudgetLine& line : lines) {
        write_csv_line(out, {line.device, kind_name(line.kind), plain_amount(line.budget),
                             plain_amount(line.month_to_date), std::to_string(line.percent),
                             line.over ? "yes" : "no"});
    }
}

void write_json(const std::vector<BudgetLine>& lines, const std::string& data_dir,
                const ReportEnvironment& environment, bool over, std::ostream& out) {
    out << "{\"data_dir\": " << json_text(data_dir)
        << ", \"month\": " << json_text(month_of(environment.today)) << ",\n \"budgets\": [";
    const char* separator = "\n  ";
    for (const BudgetLine& line : lines) {
        out << separator << "{\"device\": " << json_text(line.device)
            << ", \"budget\": " << json_text(kind_name(line.kind))
            << ", \"amount\": " << plain_amount(line.budget)
            << ", \"month_to_date\": " << plain_amount(line.month_to_date)
            << ", \"percent_used\": " << line.percent
            << ", \"over\": " << (line.over ? "true" : "false") << "}";
        separator = ",\n  ";
    }
    out << "],\n \"over\": " << (over ? "true" : "false") << "}\n";
}

}  // namespace

int run_budget_report(const ReportOptions& options, const std::string& data_dir,
                      const ReportEnvironment& environment, std::ostream& out, std::ostream& err) {
    std::vector<BudgetLine> lines;
    try {
        lines = budget_lines(options, data_dir, environment);
    } catch (const LogDatabaseError& error) {
        err << kName << ": " << error.what() << '\n';
        return kReportDataError;
    } catch (const ConversionError& error) {
        // A budget or a tariff of config/dev.ini that does not convert.
        err << kName << ": " << data_dir << "/config/dev.ini: " << error.what() << '\n';
        return kReportDataError;
    }
    bool over = false;
    for (const BudgetLine& line : lines) over = over || line.over;
    std::ostringstream text;
    switch (options.format) {
        case ReportOptions::Format::Text:
            write_text(lines, data_dir, environment, text);
            break;
        case ReportOptions::Format::Csv:
            write_csv(lines, text);
            break;
        case ReportOptions::Format::Json:
            write_json(lines, data_dir, environment, over, text);
            break;
    }
    out << text.str() << std::flush;
    if (!out) {
        err << kName << ": the report could not be written\n";
        return kReportDataError;
    }
    return over ? kReportOverBudget : kReportDone;
}

}  // namespace quorvane
