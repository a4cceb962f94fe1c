#include "report/Report.h"

#include "usage/AmountFormat.h"

namespace quorvane {

Report report_asked(const ReportOptions& options, const std::string& data_dir) {
    Report report;
    report.data_dir = data_dir;
    report.device = options.device;
    report.from = options.from;
    report.to = options.to;
    report.view = options.view;
    return report;
}

std::string plain_amount(int64_t ten_thousandths) {
    RegionalSettings plain;
    plain.decimal_separator = ".";
    plain.thousands_separator = "";
    return amount_to_str(ten_thousandths, plain);
}

const char* view_name(ReportOptions::View view) {
    switch (view) {
        case ReportOptions::View::Connections:
            return "connections";
        case ReportOptions::View::Monthly:
            return "monthly";
        case ReportOptions::View::Daily:
            break;
    }
    return "daily";
}

}  // namespace quorvane
