#pragma once

#include "usage/UsageReport.h"

namespace quorvane::test {

// A usage report of three connections of one day as the database view gives them, the last above
// 2^32 bytes, and their summary: 5490 s at 2.25, 5371783168 charged bytes at 5,243.88.
inline UsageReport three_row_report() {
    UsageReport report;
    report.period = "12/10/2026 to 12/10/2026";
    report.device = "All";
    report.rows = {
        LogRow{"a", "2026-12-10", "09:00", "local", "LAN", 3600, 100000000, 1024000, 2048},
        LogRow{"b", "2026-12-10", "12:30", "local", "Home \"WLAN\" [5%]=", 90, 100000000, 1536000,
               512000},
        LogRow{"c", "2026-12-10", "18:00", "local", "WAN", 1800, 100000000, 5368709120, 0},
    };
    report.summary = Tlog_summary{3, 5371783168, 52438800, 5490, 22500};
    return report;
}

}  // namespace quorvane::test
