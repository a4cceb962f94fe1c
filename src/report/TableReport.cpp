#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

#include "format/QuantityFormat.h"
#include "logdb/CentralUrl.h"
#include "report/ReportWriters.h"
#include "usage/AmountFormat.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

// A name as one line of a table: control characters (a newline in an alias) become '?'.
std::string one_line(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return out;
}

// Characters on screen: UTF-8 continuation bytes take no column.
size_t columns_of(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    }));
}

struct Table {
    std::vector<std::string> header;
    std::vector<bool> right;  // numbers are right-aligned
    std::vector<std::vector<std::string>> rows;
};

template <typename Out>
void write_table(const Table& table, Out& out) {
    std::vector<size_t> widths(table.header.size());
    for (size_t c = 0; c < widths.size(); ++c) widths[c] = columns_of(table.header[c]);
    for (const auto& row : table.rows) {
        for (size_t c = 0; c < widths.size(); ++c)
            widths[c] = std::max(widths[c], columns_of(row[c]));
    }
    auto write_line = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (size_t c = 0; c < cells.size(); ++c) {
            std::string pad(widths[c] - columns_of(cells[c]), ' ');
            if (c > 0) line += "  ";
            line += table.right[c] ? pad + cells[c] : cells[c] + pad;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
        if constexpr (std::is_same_v<Out, ReportText>) out.piece_done();
    };
    write_line(table.header);
    for (const auto& row : table.rows) write_line(row);
}

// The central log's rows of several hosts: the host first on each line.
void with_host_column(Table& table, const std::vector<std::string>& hosts) {
    table.header.insert(table.header.begin(), "Host");
    table.right.insert(table.right.begin(), false);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        table.rows[r].insert(table.rows[r].begin(), one_line(hosts[r]));
    }
}

Table connections_table(const Report& report, const RegionalSettings& regional) {
    Table table{{"Start date", "Start time", "Network device", "Duration", "Download", "Upload",
                 "Total traffic"},
                {false, false, false, true, true, true, true},
                {}};
    table.rows.reserve(report.connection_count());
    for (size_t r = 0; r < report.connection_count(); ++r) {
        const LogRowRef row = report.connection(r);
        table.rows.push_back({std::string(row.startdate), std::string(row.starttime),
                              one_line(std::string(row.deventry)), secs_to_str(row.duration),
                              bytes_to_str(row.dload, regional), bytes_to_str(row.uload, regional),
                              bytes_sum_to_str(row.dload, row.uload, regional)});
    }
    if (report.show_host) with_host_column(table, report.connection_hosts);
    return table;
}

Table groups_table(const Report& report, const RegionalSettings& regional) {
    const bool daily = report.view == ReportOptions::View::Daily;
    Table table{{daily ? "Date" : "Month", "Network device", "Connections", "Online time",
                 "Download", "Upload", "Total traffic", "Cost"},
                {false, false, true, true, true, true, true, true},
                {}};
    for (const auto& group : report.groups) {
        table.rows.push_back(
            {group.period, one_line(group.device), std::to_string(group.summary.conn_count),
             secs_to_str(group.summary.total_time), bytes_to_str(group.download, regional),
             bytes_to_str(group.upload, regional), bytes_to_str(group.total, regional),
             amount_to_str(total_cost(group.summary), regional)});
    }
    if (report.show_host) with_host_column(table, report.group_hosts);
    return table;
}

}  // namespace

void write_table_report(const Report& report, const RegionalSettings& regional, ReportText& out) {
    // The texts first: a sum out of range fails before anything is written.
    const SummaryTexts summary = summary_texts(report.summary, regional);
    const Table table = report.view == ReportOptions::View::Connections
                            ? connections_table(report, regional)
                            : groups_table(report, regional);
    out << "Quorvane usage report\n";
    if (report.database) {
        out << "Central log:    " << one_line(printable_central_url(*report.database)) << '\n'
            << "Host:           " << (report.host ? one_line(*report.host) : "all") << '\n'
            << "Tariffs:        " << one_line(report.data_dir) << "/config/dev.ini\n";
    } else {
        out << "Data directory: " << one_line(report.data_dir) << '\n';
    }
    out << "Device:         " << (report.device ? one_line(*report.device) : "all") << '\n'
        << "Period:         " << report.from << " to " << report.to << '\n'
        << "View:           " << view_name(report.view) << "\n\n";
    // Everything that can fail is made: the table's lines go out as they are written.
    out.pass_on();
    if (table.rows.empty()) {
        out << "No connections in this period.\n";
    } else {
        write_table(table, out);
    }
    out << '\n'
        << "Connections:    " << summary.count << '\n'
        << "Time:           " << summary.time << '\n'
        << "Traffic:        " << summary.traffic << '\n'
        << "Total cost:     " << summary.total << '\n';
}

std::string table_text(const std::string& text) {
    return one_line(text);
}

void write_aligned_table(const std::vector<std::string>& header, const std::vector<bool>& right,
                         const std::vector<std::vector<std::string>>& rows, std::ostream& out) {
    write_table(Table{header, right, rows}, out);
}

}  // namespace quorvane
