#include "usage/TextReport.h"

#include <sstream>
#include <system_error>

#include "config/AtomicReplace.h"

namespace quorvane {

namespace {

constexpr const char* kLineEnd = "\r\n";

// A field of one line: the characters that would end the field or the line become blanks.
std::string field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

void line(std::ostream& out, const std::string& text) {
    out << text << kLineEnd;
}

void captioned(std::ostream& out, const char* caption, const std::string& value) {
    out << caption << '\t' << field(value) << kLineEnd;
}

}  // namespace

void write_text_report(const UsageReport& report, const RegionalSettings& regional,
                       std::ostream& out) {
    const ReportTexts texts = report_texts(report, regional);
    line(out, kReportTitle);
    line(out, " ");
    captioned(out, "Period  :", report.period);
    captioned(out, "Entry    :", report.device);
    line(out, " ");
    line(out, " ");
    for (size_t i = 0; i < kReportHeader.size(); ++i) out << (i ? "\t" : "") << kReportHeader[i];
    out << kLineEnd;
    for (const GridRowTexts& row : texts.rows) {
        for (size_t i = 0; i < row.size(); ++i) out << (i ? "\t" : "") << field(row[i]);
        out << kLineEnd;
    }
    line(out, " ");
    line(out, " ");
    line(out, "Summary");
    captioned(out, "Connection count       :", texts.summary.count);
    captioned(out, "Total time / cost      :", texts.summary.time);
    captioned(out, "Total data /cost       :", texts.summary.traffic);
    captioned(out, "Total cost             :", texts.summary.total);
}

void save_text_report(const UsageReport& report, const RegionalSettings& regional,
                      const std::string& path) {
    std::ostringstream text;
    write_text_report(report, regional, text);
    try {
        replace_file_atomically(path, text.str());
    } catch (const std::system_error& error) {
        throw ReportError("The report " + path + " cannot be written: " + error.what());
    }
}

}  // namespace quorvane
