#include "usage/ReportExport.h"

#include <cstdio>

#include "usage/SheetReport.h"
#include "usage/TextReport.h"

namespace quorvane {

std::string report_file_name(const LocalTime& today, const std::string& extension) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", today.year % 10000, today.month % 100,
                  today.day % 100);
    return "rpt-" + std::string(date) + "." + extension;
}

std::string text_route_message(const std::string& reason) {
    return reason +
           ".\n\nQuorvane will save the report in \"Tab delimiter\" format instead, so you can "
           "open the file with any spreadsheet program.";
}

void export_report(const UsageReport& report, const RegionalSettings& regional,
                   const LocalTime& today, ExportPrompts& prompts) {
    const auto workbook = prompts.save_file_name("xlsx", report_file_name(today, "xlsx"));
    if (!workbook) return;
    try {
        write_sheet_report(report, regional, *workbook);
    } catch (const std::exception& error) {
        prompts.sheet_failed(error.what());
        if (!prompts.confirm_ok_cancel(text_route_message(error.what()))) return;
        const auto text = prompts.save_file_name("txt", report_file_name(today, "txt"));
        if (text) {
            save_text_report(report, regional, *text);
            prompts.report_saved(*text);
        }
        return;
    }
    prompts.report_saved(*workbook);
    prompts.open_workbook(*workbook);
}

}  // namespace quorvane
