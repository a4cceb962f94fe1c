#include <gtest/gtest.h>

#include <QRadioButton>
#include <QToolButton>
#include <QUrl>

#include <filesystem>

#include "support/XlsxSheet.h"
#include "ui/MainFaceFixture.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/DisplayModeBar.h"
#include "ui/main/LogFilterBox.h"

namespace quorvane::test {
namespace {

// The export button of the database view, in the real main window over a real log.
class TFmainExport : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        set_desktop_url_handler([this](const QUrl& url) { opened.push_back(url); });
        auto add = [this](const char* id, const char* date, const char* time, const char* device,
                          int32_t seconds, int64_t down, int64_t up) {
            window->log_database().insert_connection(
                LogRow{id, date, time, "local", device, seconds, 100000000, down, up});
        };
        add("a", "2026-12-09", "18:00", "LAN", 60, 1, 1);
        add("b", "2026-12-10", "09:00", "LAN", 3600, 1024000, 2048);
        add("c", "2026-12-10", "18:00", "WAN", 1800, 5368709120, 0);
        dir.write("config/dev.ini", "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\n");
        // Today, all devices; the export button is enabled in the database view.
        filter("All", "10", "December", "2026");
        window->display_mode()->Radiofrimdatabase()->click();
    }
    void TearDown() override {
        set_desktop_url_handler(nullptr);
        FileDialog::reset();
    }
    void filter(const char* device, const char* day, const char* month, const char* year) {
        LogFilterBox* box = window->filter_box();
        box->ComboBoxEx1()->setEditText(device);
        for (auto* combo : {box->ComboBox4(), box->ComboBox7()}) combo->setEditText(day);
        for (auto* combo : {box->ComboBox2(), box->ComboBox5()}) combo->setEditText(month);
        for (auto* combo : {box->ComboBox3(), box->ComboBox6()}) combo->setEditText(year);
    }
    void export_report() { window->filter_box()->SpeedButton10()->click(); }
    std::string in_dir(const std::string& name) const { return (dir.path() / name).string(); }

    std::vector<QUrl> opened;
};

TEST_F(TFmainExport, WritesTheWorkbookOfTheRowsTheGridWasJustFilledWithAndOpensIt) {
    // A connection logged after the grid was shown is in the export: the grid is refilled.
    window->log_database().insert_connection(
        LogRow{"d", "2026-12-10", "12:00", "local", "DSL", 60, 0, 1, 1});
    FileDialog::set_next_file_name(QString::fromStdString(in_dir("rpt-20261210.xlsx")));

    export_report();

    EXPECT_TRUE(events.entries().empty()) << events.entries().front().second;
    EXPECT_EQ(FileDialog::last_file_name(), "rpt-20261210.xlsx");
    EXPECT_EQ(FileDialog::last_default_suffix(), "xlsx");
    EXPECT_EQ(devices_shown(), (std::vector<std::string>{"WAN", "DSL", "LAN"}));
    const XlsxSheet sheet(in_dir("rpt-20261210.xlsx"));
    EXPECT_EQ(sheet.text("B3"), "10/12/2026 to 10/12/2026");
    EXPECT_EQ(sheet.text("B4"), "All");
    EXPECT_EQ(sheet.text("A8"), "10/12/2026");
    EXPECT_EQ(sheet.text("B8"), "18:00");
    EXPECT_EQ(sheet.text("C8"), "WAN");
    EXPECT_EQ(sheet.text("E8"), "5.00 GB");
    EXPECT_EQ(sheet.text("C9"), "DSL");
    EXPECT_EQ(sheet.text("C10"), "LAN");
    EXPECT_EQ(sheet.text("A14"), "Summary");
    // The summary is the one below the grid: Label28, Label32, Label19, Label33.
    const auto labels = summary_labels();
    EXPECT_EQ((std::vector<std::string>{sheet.text("C16"), sheet.text("C17"), sheet.text("C18"),
                                        sheet.text("C19")}),
              (std::vector<std::string>(labels.begin() + 1, labels.end())));
    EXPECT_EQ(sheet.text("C17"), "01:31:00 / 1.50");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), in_dir("rpt-20261210.xlsx"));
}

TEST_F(TFmainExport, AFailingWorkbookFallsBackToTheTextReportAfterOkAndToNothingAfterCancel) {
    for (const MessageBox::Answer answer : {MessageBox::Ok, MessageBox::Cancel}) {
        SCOPED_TRACE(answer == MessageBox::Ok ? "OK" : "Cancel");
        const std::string text = in_dir(answer == MessageBox::Ok ? "ok.txt" : "cancel.txt");
        // The folder exists but takes no files, whoever runs the test.
        FileDialog::set_next_file_name("/proc/rpt-20261210.xlsx");
        if (answer == MessageBox::Ok) FileDialog::set_next_file_name(QString::fromStdString(text));
        MessageBox::set_next_answer(answer);

        export_report();

        // The question names the file and the system's reason.
        EXPECT_EQ(MessageBox::last_text().toStdString(),
                  "The workbook /proc/rpt-20261210.xlsx cannot be written: create: No such file "
                  "or directory.\n\nQuorvane will save the report in \"Tab delimiter\" format "
                  "instead, so you can open the file with any spreadsheet program.");
        EXPECT_EQ(FileDialog::last_file_name(),
                  answer == MessageBox::Ok ? "rpt-20261210.txt" : "rpt-20261210.xlsx");
        EXPECT_TRUE(opened.empty());
        EXPECT_EQ(std::filesystem::exists(text), answer == MessageBox::Ok);
        FileDialog::reset();
    }
    const std::string report = dir.read("ok.txt");
    EXPECT_EQ(report.rfind("Network Device Usage Report\r\n \r\nPeriod  :\t10/12/2026 to "
                           "10/12/2026\r\nEntry    :\tAll\r\n",
                           0),
              0u);
    EXPECT_NE(report.find("\r\n10/12/2026\t18:00\tWAN\t00:30:00\t5.00 GB\t0.00 B\t5.00 GB\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("\r\nTotal cost             :\t1.50\r\n"), std::string::npos);
}

TEST_F(TFmainExport, AFilterThatDoesNotConvertStopsTheExportBeforeAnyDialog) {
    filter("All", "10", "Smarch", "2026");
    export_report();
    EXPECT_EQ(FileDialog::last_file_name(), "");
    ASSERT_FALSE(events.entries().empty());
    EXPECT_NE(events.entries().back().second.find("Smarch"), std::string::npos);
}

TEST_F(TFmainExport, CancellingTheSaveDialogWritesNothing) {
    export_report();  // no answer: the dialog is cancelled
    EXPECT_EQ(FileDialog::last_file_name(), "rpt-20261210.xlsx");
    EXPECT_TRUE(events.entries().empty());
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(std::filesystem::exists(in_dir("rpt-20261210.xlsx")));
}

}  // namespace
}  // namespace quorvane::test
