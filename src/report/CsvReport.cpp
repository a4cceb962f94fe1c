#include <string>
#include <vector>

#include "format/QuantityFormat.h"
#include "report/ReportWriters.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes doubled.
std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

void write_line(std::ostream& out, std::vector<std::string> fields,
                const std::string* host = nullptr) {
    // Rows of several hosts of the central log begin with the host.
    if (host) fields.insert(fields.begin(), *host);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out << ',';
        out << csv_field(fields[i]);
    }
    out << '\n';
}

}  // namespace

void write_csv_report(const Report& report, std::ostream& out) {
    const auto& s = report.summary;
    const std::vector<std::string> summary{
        std::to_string(s.conn_count),       std::to_string(s.total_time),
        std::to_string(s.total_traffic),    plain_amount(s.total_time_cost),
        plain_amount(s.total_traffic_cost), plain_amount(total_cost(s))};
    const std::string host_name = "host";
    const std::string* host_header = report.show_host ? &host_name : nullptr;
    if (report.view == ReportOptions::View::Connections) {
        write_line(
            out,
            {"id", "start_date", "start_time", "device", "duration", "download", "upload", "total"},
            host_header);
        for (size_t r = 0; r < report.connections.size(); ++r) {
            const LogRow& row = report.connections[r];
            write_line(out,
                       {row.devuniqueid, row.startdate, row.starttime, row.deventry,
                        std::to_string(row.duration), std::to_string(row.dload),
                        std::to_string(row.uload), decimal_sum(row.dload, row.uload)},
                       report.show_host ? &report.connection_hosts[r] : nullptr);
        }
    } else {
        write_line(out,
                   {report.view == ReportOptions::View::Daily ? "date" : "month", "device",
                    "connections", "time", "download", "upload", "total", "cost"},
                   host_header);
        for (size_t g = 0; g < report.groups.size(); ++g) {
            const UsageGroup& group = report.groups[g];
            write_line(out,
                       {group.period, group.device, std::to_string(group.summary.conn_count),
                        std::to_string(group.summary.total_time), std::to_string(group.download),
                        std::to_string(group.upload), std::to_string(group.total),
                        plain_amount(total_cost(group.summary))},
                       report.show_host ? &report.group_hosts[g] : nullptr);
        }
    }
    out << '\n';
    write_line(out, {"connections", "time", "traffic", "time_cost", "traffic_cost", "total_cost"});
    write_line(out, summary);
}

void write_csv_line(std::ostream& out, const std::vector<std::string>& fields) {
    write_line(out, fields);
}

}  // namespace quorvane
