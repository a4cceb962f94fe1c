#include <cstdio>
#include <string>
#include <string_view>

#include "logdb/CentralUrl.h"
#include "report/ReportWriters.h"
#include "usage/SummaryTexts.h"

namespace quorvane {

namespace {

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
size_t utf8_sequence(std::string_view text, size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80                   ? 1
                    : (c >= 0xc2 && c <= 0xdf) ? 2
                    : (c >= 0xe0 && c <= 0xef) ? 3
                    : (c >= 0xf0 && c <= 0xf4) ? 4
                                               : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return 0;
    }
    const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
    if (c == 0xe0 && second < 0xa0) return 0;   // overlong
    if (c == 0xed && second >= 0xa0) return 0;  // a surrogate
    if (c == 0xf0 && second < 0x90) return 0;   // overlong
    if (c == 0xf4 && second >= 0x90) return 0;  // past U+10FFFF
    return length;
}

// The place of the first byte that is not printable ASCII or is a quote or a backslash;
// the size when there is none, as in the ids, dates and times of a log.
size_t first_special(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c >= 0x80 || c == '"' || c == '\\') return i;
    }
    return text.size();
}

// A JSON string: quotes, backslashes and control characters escaped; a byte that is not
// part of well-formed UTF-8 becomes U+FFFD, so the output always parses.
void append_json_string(std::string& out, std::string_view text) {
    out += '"';
    size_t i = first_special(text);
    out.append(text.data(), i);
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = utf8_sequence(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out.append(text.data() + i, length);
        }
        i += length;
    }
    out += '"';
}

std::string json_string(std::string_view text) {
    std::string out;
    append_json_string(out, text);
    return out;
}

// Rows of several hosts of the central log begin with the host.
void append_host(std::string& out, const std::string* host) {
    if (!host) return;
    out += "\"host\": ";
    append_json_string(out, *host);
    out += ", ";
}

// One connection, appended in place: a long log prints a million of them.
void append_connection(std::string& out, const LogRowRef& row, const std::string* host) {
    out += '{';
    append_host(out, host);
    out += "\"id\": ";
    append_json_string(out, row.devuniqueid);
    out += ", \"start_date\": ";
    append_json_string(out, row.startdate);
    out += ", \"start_time\": ";
    append_json_string(out, row.starttime);
    out += ", \"device\": ";
    append_json_string(out, row.deventry);
    out += ", \"duration\": ";
    append_integer(out, row.duration);
    out += ", \"download\": ";
    append_integer(out, row.dload);
    out += ", \"upload\": ";
    append_integer(out, row.uload);
    out += '}';
}

void write_group(const UsageGroup& group, const char* period_key, const std::string* host,
                 ReportText& out) {
    out << "{";
    append_host(out.text(), host);
    out << "\"" << period_key << "\": " << json_string(group.period)
        << ", \"device\": " << json_string(group.device)
        << ", \"connections\": " << group.summary.conn_count
        << ", \"time\": " << group.summary.total_time << ", \"download\": " << group.download
        << ", \"upload\": " << group.upload << ", \"total\": " << group.total
        << ", \"cost\": " << plain_amount(total_cost(group.summary)) << "}";
}

}  // namespace

void write_json_report(const Report& report, ReportText& out) {
    const auto& s = report.summary;
    const std::string total = plain_amount(total_cost(s));  // fails before anything is written
    out << "{\"data_dir\": " << json_string(report.data_dir);
    if (report.database) {
        out << ", \"database\": " << json_string(printable_central_url(*report.database))
            << ", \"host\": " << (report.host ? json_string(*report.host) : "null");
    }
    out << ", \"device\": " << (report.device ? json_string(*report.device) : "null")
        << ", \"from\": " << json_string(report.from) << ", \"to\": " << json_string(report.to)
        << ", \"view\": " << json_string(view_name(report.view)) << ",\n \"rows\": [";
    const char* separator = "\n  ";
    if (report.view == ReportOptions::View::Connections) {
        out.pass_on();
        std::string& text = out.text();
        for (size_t r = 0; r < report.connection_count(); ++r) {
            text += separator;
            append_connection(text, report.connection(r),
                              report.show_host ? &report.connection_hosts[r] : nullptr);
            out.piece_done();
            separator = ",\n  ";
        }
    } else {
        const char* key = report.view == ReportOptions::View::Daily ? "date" : "month";
        for (size_t g = 0; g < report.groups.size(); ++g) {
            out << separator;
            write_group(report.groups[g], key, report.show_host ? &report.group_hosts[g] : nullptr,
                        out);
            separator = ",\n  ";
        }
    }
    out << "],\n \"summary\": {\"connections\": " << s.conn_count << ", \"time\": " << s.total_time
        << ", \"traffic\": " << s.total_traffic
        << ", \"time_cost\": " << plain_amount(s.total_time_cost)
        << ", \"traffic_cost\": " << plain_amount(s.total_traffic_cost)
        << ", \"total_cost\": " << total << "}}\n";
}

std::string json_text(const std::string& text) {
    return json_string(text);
}

}  // namespace quorvane
