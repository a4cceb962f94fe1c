#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/QuantityFormat.h"
#include "report/ReportWriters.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes doubled.
void append_field(std::string& out, std::string_view text) {
    // One look at each byte: a million lines of short fields.
    bool plain = true;
    for (char c : text) plain &= c != ',' && c != '"' && c != '\r' && c != '\n';
    if (plain) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void append_line(std::string& out, const std::vector<std::string>& fields,
                 const std::string* host = nullptr) {
    // Rows of several hosts of the central log begin with the host.
    if (host) {
        append_field(out, *host);
        out += ',';
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out += ',';
        append_field(out, fields[i]);
    }
    out += '\n';
}

// One connection as a line, built in place: a long log prints a million of them.
void append_connection(std::string& out, const LogRowRef& row, const std::string* host) {
    if (host) {
        append_field(out, *host);
        out += ',';
    }
    append_field(out, row.devuniqueid);
    out += ',';
    append_field(out, row.startdate);
    out += ',';
    append_field(out, row.starttime);
    out += ',';
    append_field(out, row.deventry);
    out += ',';
    append_integer(out, row.duration);
    out += ',';
    append_integer(out, row.dload);
    out += ',';
    append_integer(out, row.uload);
    out += ',';
    int64_t total = 0;
    if (__builtin_add_overflow(row.dload, row.uload, &total)) {
        out += decimal_sum(row.dload, row.uload);
    } else {
        append_integer(out, total);
    }
    out += '\n';
}

}  // namespace

void write_csv_report(const Report& report, ReportText& out) {
    const auto& s = report.summary;
    const std::vector<std::string> summary{
        std::to_string(s.conn_count),       std::to_string(s.total_time),
        std::to_string(s.total_traffic),    plain_amount(s.total_time_cost),
        plain_amount(s.total_traffic_cost), plain_amount(total_cost(s))};
    const std::string host_name = "host";
    const std::string* host_header = report.show_host ? &host_name : nullptr;
    std::string& text = out.text();
    if (report.view == ReportOptions::View::Connections) {
        append_line(
            text,
            {"id", "start_date", "start_time", "device", "duration", "download", "upload", "total"},
            host_header);
        out.pass_on();
        for (size_t r = 0; r < report.connection_count(); ++r) {
            append_connection(text, report.connection(r),
                              report.show_host ? &report.connection_hosts[r] : nullptr);
            out.piece_done();
        }
    } else {
        append_line(text,
                    {report.view == ReportOptions::View::Daily ? "date" : "month", "device",
                     "connections", "time", "download", "upload", "total", "cost"},
                    host_header);
        for (size_t g = 0; g < report.groups.size(); ++g) {
            const UsageGroup& group = report.groups[g];
            append_line(text,
                        {group.period, group.device, std::to_string(group.summary.conn_count),
                         std::to_string(group.summary.total_time), std::to_string(group.download),
                         std::to_string(group.upload), std::to_string(group.total),
                         plain_amount(total_cost(group.summary))},
                        report.show_host ? &report.group_hosts[g] : nullptr);
        }
    }
    text += '\n';
    append_line(text,
                {"connections", "time", "traffic", "time_cost", "traffic_cost", "total_cost"});
    append_line(text, summary);
}

void write_csv_line(std::ostream& out, const std::vector<std::string>& fields) {
    std::string line;
    append_line(line, fields);
    out << line;
}

}  // namespace quorvane
