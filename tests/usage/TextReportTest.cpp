#include "usage/TextReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/ReportFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

std::string text_of(const UsageReport& report, const RegionalSettings& regional) {
    std::ostringstream out;
    write_text_report(report, regional, out);
    return out.str();
}

TEST(TextReport, WritesTheWholeReportLineByLine) {
    const std::string expected =
        "Network Device Usage Report\r\n"
        " \r\n"
        "Period  :\t12/10/2026 to 12/10/2026\r\n"
        "Entry    :\tAll\r\n"
        " \r\n"
        " \r\n"
        "     Start date     \t     Start time     \t     Network device     \t"
        "     Duration    \t     Download     \t     Upload     \t     Total traffic     \r\n"
        "12/10/2026\t09:00\tLAN\t01:00:00\t1,000.00 KB\t2.00 KB\t1,002.00 KB\r\n"
        "12/10/2026\t12:30\tHome \"WLAN\" [5%]=\t00:01:30\t1.46 MB\t500.00 KB\t1.95 MB\r\n"
        "12/10/2026\t18:00\tWAN\t00:30:00\t5.00 GB\t0.00 B\t5.00 GB\r\n"
        " \r\n"
        " \r\n"
        "Summary\r\n"
        "Connection count       :\t3\r\n"
        "Total time / cost      :\t01:31:30 / 2.25\r\n"
        "Total data /cost       :\t5.00 GB / 5,243.88\r\n"
        "Total cost             :\t5,246.13\r\n";
    EXPECT_EQ(text_of(three_row_report(), point_decimal()), expected);
}

TEST(TextReport, UsesTheRegionalFormats) {
    const std::string text = text_of(three_row_report(), comma_decimal());
    EXPECT_NE(text.find("10.12.2026\t09:00\tLAN\t01:00:00\t1.000,00 KB\t2,00 KB\t1.002,00 KB\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Total cost             :\t5.246,13\r\n"), std::string::npos);
}

TEST(TextReport, ATabOrLineBreakInATextBecomesABlankSoEveryRowStaysOneLine) {
    UsageReport report = three_row_report();
    report.rows.resize(1);
    report.rows[0].deventry = "Home\tLAN\r\n2";
    report.device = "Home\tLAN\r\n2";
    const std::string text = text_of(report, point_decimal());
    EXPECT_NE(text.find("Entry    :\tHome LAN  2\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n12/10/2026\t09:00\tHome LAN  2\t01:00:00\t"), std::string::npos);
}

TEST(TextReport, WithNoRowsTheHeaderIsFollowedByTheSummary) {
    UsageReport report;
    report.period = "All record";
    const std::string text = text_of(report, point_decimal());
    EXPECT_NE(text.find("Entry    :\t\r\n"), std::string::npos) << "an empty device box";
    EXPECT_NE(text.find("     Total traffic     \r\n \r\n \r\nSummary\r\n"
                        "Connection count       :\t0\r\n"
                        "Total time / cost      :\t00:00:00 / 0.00\r\n"),
              std::string::npos);
}

TEST(TextReport, SaveReplacesAnExistingFileAndFailsWithTheFileNamed) {
    TempDir dir;
    const auto path = dir.write("rpt-20261210.txt", "an older report").string();
    save_text_report(three_row_report(), point_decimal(), path);
    EXPECT_EQ(dir.read("rpt-20261210.txt"), text_of(three_row_report(), point_decimal()));

    const std::string missing = (dir.path() / "no folder" / "rpt-20261210.txt").string();
    try {
        save_text_report(three_row_report(), point_decimal(), missing);
        FAIL() << "no error";
    } catch (const ReportError& error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "no folder"));
}

}  // namespace
}  // namespace quorvane::test
