#include "report/CentralReport.h"

#include <set>

#include "logdb/CentralLog.h"
#include "usage/DatabaseView.h"
#include "usage/TariffBook.h"
#include "usage/UsageGroups.h"

namespace quorvane {

Report make_central_report(const ReportOptions& options, const std::string& data_dir,
                           const RegionalSettings& regional) {
    const std::vector<CentralRow> central = read_central_rows(
        *options.database, options.from, options.to, options.device, options.host);
    TariffBook tariffs(data_dir + "/config/dev.ini", regional);

    Report report = report_asked(options, data_dir);
    report.database = options.database;
    report.host = options.host;
    std::set<std::string> hosts;
    for (const auto& entry : central) hosts.insert(entry.host);
    report.show_host = hosts.size() > 1;

    std::vector<LogRow> rows;
    rows.reserve(central.size());
    for (const auto& entry : central) {
        rows.push_back(entry.row);
        report.connection_hosts.push_back(entry.host);
    }
    report.summary = summarize_rows(rows, tariffs);
    if (options.view != ReportOptions::View::Connections) {
        const GroupBy by =
            options.view == ReportOptions::View::Daily ? GroupBy::Day : GroupBy::Month;
        // The rows come by host: each host's run of rows makes its own groups.
        for (size_t first = 0; first < central.size();) {
            size_t end = first;
            while (end < central.size() && central[end].host == central[first].host) ++end;
            std::vector<LogRow> of_host(rows.begin() + static_cast<ptrdiff_t>(first),
                                        rows.begin() + static_cast<ptrdiff_t>(end));
            for (auto& group : group_usage(of_host, by, tariffs)) {
                report.groups.push_back(std::move(group));
                report.group_hosts.push_back(central[first].host);
            }
            first = end;
        }
    }
    report.connections = std::move(rows);
    return report;
}

}  // namespace quorvane
