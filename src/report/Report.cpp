#include "report/Report.h"

#include "usage/AmountFormat.h"

namespace quorvane {

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
