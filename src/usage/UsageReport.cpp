#include "usage/UsageReport.h"

namespace quorvane {

ReportTexts report_texts(const UsageReport& report, const RegionalSettings& regional) {
    ReportTexts texts;
    texts.rows.reserve(report.rows.size());
    for (const LogRow& row : report.rows)
        texts.rows.push_back(log_row_texts(ref_of(row), regional));
    texts.summary = summary_texts(report.summary, regional);
    return texts;
}

}  // namespace quorvane
