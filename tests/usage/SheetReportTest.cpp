#include "usage/SheetReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/ReportFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "support/XlsxSheet.h"
#include "usage/TextReport.h"

namespace quorvane::test {
namespace {

const CellFormat kDefault{11, false, "", "", ""};
const CellFormat kCaption{10, true, "", "", ""};
const CellFormat kHeader{10, true, "double", "double", "center"};
const CellFormat kValue{11, false, "", "", "left"};

class SheetReport : public ::testing::Test {
protected:
    XlsxSheet written(const UsageReport& report) {
        const std::string path = (dir.path() / "rpt-20261210.xlsx").string();
        write_sheet_report(report, point_decimal(), path);
        return XlsxSheet(path);
    }
    TempDir dir;
};

TEST_F(SheetReport, PutsEveryTextAtItsCellWithItsFormat) {
    const XlsxSheet sheet = written(three_row_report());

    struct Cell {
        const char* ref;
        std::string text;
        CellFormat format;
    };
    const Cell cells[] = {
        {"A1", "Network Device Usage Report", {12, true, "", "", ""}},
        {"A3", "Period  :", kCaption},
        {"B3", "12/10/2026 to 12/10/2026", kDefault},
        {"A4", "Network device    :", kCaption},
        {"B4", "All", kDefault},
        {"A5", "", kCaption},
        {"A7", "     Start date     ", kHeader},
        {"B7", "     Start time     ", kHeader},
        {"C7", "     Network device     ", kHeader},
        {"D7", "     Duration    ", kHeader},
        {"E7", "     Download     ", kHeader},
        {"F7", "     Upload     ", kHeader},
        {"G7", "     Total traffic     ", kHeader},
        {"A8", "12/10/2026", kDefault},
        {"B8", "09:00", kDefault},
        {"C8", "LAN", kDefault},
        {"D8", "01:00:00", kDefault},
        {"E8", "1,000.00 KB", kDefault},
        {"F8", "2.00 KB", kDefault},
        {"G8", "1,002.00 KB", kDefault},
        {"C9", "Home \"WLAN\" [5%]=", kDefault},
        {"G9", "1.95 MB", kDefault},
        {"A10", "12/10/2026", kDefault},
        {"B10", "18:00", kDefault},
        {"C10", "WAN", kDefault},
        {"D10", "00:30:00", kDefault},
        {"E10", "5.00 GB", kDefault},
        {"F10", "0.00 B", kDefault},
        {"G10", "5.00 GB", kDefault},
        {"A14", "Summary", {11, true, "", "", ""}},
        {"A16", "Connection count     :", kCaption},
        {"A17", "Total Time / cost    :", kCaption},
        {"A18", "Total Data /cost     :", kCaption},
        {"A19", "Total cost           :", kCaption},
        {"C16", "3", kValue},
        {"C17", "01:31:30 / 2.25", kValue},
        {"C18", "5.00 GB / 5,243.88", kValue},
        {"C19", "5,246.13", kValue},
    };
    for (const Cell& cell : cells) {
        EXPECT_EQ(sheet.text(cell.ref), cell.text) << cell.ref;
        EXPECT_EQ(sheet.format(cell.ref), cell.format) << cell.ref;
    }
    EXPECT_TRUE(sheet.is_number("C16")) << "the count is a number";
    EXPECT_FALSE(sheet.is_number("A8")) << "the report values are texts";

    // Nothing else: rows 2, 5, 6 and 11 to 13 and 15 stay empty, and so do H and I.
    std::vector<std::string> expected{"A1", "A3", "B3", "A4", "B4", "A7",
                                      "B7", "C7", "D7", "E7", "F7", "G7"};
    for (const char* row : {"8", "9", "10"}) {
        for (const char* column : {"A", "B", "C", "D", "E", "F", "G"}) {
            expected.push_back(std::string(column) + row);
        }
    }
    for (const char* ref : {"A14", "A16", "C16", "A17", "C17", "A18", "C18", "A19", "C19"}) {
        expected.push_back(ref);
    }
    EXPECT_EQ(sheet.filled_cells(), expected);
}

TEST_F(SheetReport, ColumnsAreAsWideAsTheirHeaderAndDataTexts) {
    UsageReport report = three_row_report();
    const XlsxSheet plain = written(report);
    for (int column = 1; column <= 7; ++column) {
        // The padded header alone makes every column wider than the default 8.43.
        EXPECT_GT(plain.column_width(column), 10) << column;
    }
    // A long name in the last row widens its column too, and no other.
    report.rows.back().deventry = "Office uplink through the second floor switch";
    const XlsxSheet widened = written(report);
    EXPECT_GT(widened.column_width(3), plain.column_width(3) + 10);
    EXPECT_EQ(widened.column_width(2), plain.column_width(2));
    // Column A fits its widest caption, "Network device    :", beside the device text.
    EXPECT_GT(plain.column_width(1), plain.column_width(2));
}

TEST_F(SheetReport, WithNoRowsTheSummaryFollowsTheHeader) {
    UsageReport report;
    report.period = "All record";
    const XlsxSheet sheet = written(report);
    EXPECT_EQ(sheet.text("B4"), "") << "an empty device box";
    EXPECT_EQ(sheet.text("A7"), "     Start date     ");
    EXPECT_EQ(sheet.text("A8"), "");
    EXPECT_EQ(sheet.text("A11"), "Summary");
    EXPECT_EQ(sheet.text("A13"), "Connection count     :");
    EXPECT_EQ(sheet.text("C13"), "0");
    EXPECT_EQ(sheet.text("C14"), "00:00:00 / 0.00");
    EXPECT_EQ(sheet.text("A16"), "Total cost           :");
    // A1, A3, B3, A4, the seven headers, "Summary" and the four summary lines.
    EXPECT_EQ(sheet.filled_cells().size(), 4u + 7u + 1u + 8u);
}

TEST_F(SheetReport, ANameIsWrittenAsTextWhateverItHolds) {
    UsageReport report = three_row_report();
    report.rows.resize(1);
    report.rows[0].deventry = "=1+2\t<x>&\x01\xff";
    const XlsxSheet sheet = written(report);
    // A formula sign stays text, a control character is escaped, a byte that is no UTF-8
    // becomes the replacement character: the workbook stays readable.
    EXPECT_EQ(sheet.text("C8"), "=1+2\t<x>&_x0001_\xEF\xBF\xBD");
    EXPECT_EQ(sheet.part("xl/worksheets/sheet1.xml").find("<f>"), std::string::npos);
}

TEST_F(SheetReport, AWorkbookThatCannotBeWrittenFailsWithTheFileNamed) {
    for (const std::string& path : {(dir.path() / "no folder" / "rpt.xlsx").string(),
                                    std::string("/proc/rpt-20261210.xlsx")}) {
        try {
            write_sheet_report(three_row_report(), point_decimal(), path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const ReportError& error) {
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
        }
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Both layouts show a download past 32 bits in GB.
TEST_F(SheetReport, ADownloadAbove4294967295BytesShowsInGigabytesInBothLayouts) {
    UsageReport report = three_row_report();
    report.rows = {LogRow{"g", "2026-12-10", "10:00", "local", "LAN", 60, 0, 4294967296, 0}};
    EXPECT_EQ(written(report).text("E8"), "4.00 GB");
    EXPECT_EQ(written(report).text("G8"), "4.00 GB");
    std::ostringstream text;
    write_text_report(report, point_decimal(), text);
    EXPECT_NE(text.str().find("\tLAN\t00:01:00\t4.00 GB\t0.00 B\t4.00 GB\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane::test
