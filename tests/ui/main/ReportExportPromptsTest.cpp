#include "ui/main/ReportExportPrompts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QUrl>

#include <filesystem>

#include "support/ReportFixture.h"
#include "support/TempDir.h"
#include "support/XlsxSheet.h"
#include "ui/FakeEventLog.h"
#include "ui/common/DesktopLinks.h"
#include "ui/common/FileDialog.h"
#include "ui/common/MessageBox.h"
#include "usage/ReportExport.h"

namespace quorvane::test {
namespace {

// The export with the main window's own dialogs, answered through their seams.
class ReportExportPromptsTest : public ::testing::Test {
protected:
    void SetUp() override {
        set_desktop_url_handler([this](const QUrl& url) { opened.push_back(url); });
    }
    void TearDown() override {
        set_desktop_url_handler(nullptr);
        FileDialog::reset();
    }
    void run() {
        ReportExportPrompts prompts(nullptr, events, "quorvane");
        export_report(three_row_report(), RegionalSettings{}, LocalTime{2026, 12, 10}, prompts);
    }
    std::string in_dir(const std::string& name) const { return (dir.path() / name).string(); }

    TempDir dir;
    FakeEventLog events;
    std::vector<QUrl> opened;
};

TEST_F(ReportExportPromptsTest, TheSavedWorkbookOpensWithTheDesktopsApplication) {
    FileDialog::set_next_file_name(QString::fromStdString(in_dir("rpt-20261210")));
    run();
    EXPECT_EQ(FileDialog::last_folder(), QDir::homePath());
    EXPECT_EQ(FileDialog::last_file_name(), "rpt-20261210.xlsx");
    EXPECT_EQ(FileDialog::last_default_suffix(), "xlsx");
    EXPECT_EQ(XlsxSheet(in_dir("rpt-20261210.xlsx")).text("C9"), "Home \"WLAN\" [5%]=");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(QString::fromStdString(in_dir("rpt-20261210.xlsx"))));
    EXPECT_TRUE(events.entries().empty());
}

TEST_F(ReportExportPromptsTest, AFailedWorkbookAsksAndWritesTheTextReportOnOk) {
    for (const MessageBox::Answer answer : {MessageBox::Ok, MessageBox::Cancel}) {
        SCOPED_TRACE(answer == MessageBox::Ok ? "OK" : "Cancel");
        TempDir case_dir;
        const std::string text = (case_dir.path() / "rpt-20261210.txt").string();
        FileDialog::set_next_file_name("/proc/rpt-20261210.xlsx");
        if (answer == MessageBox::Ok) FileDialog::set_next_file_name(QString::fromStdString(text));
        MessageBox::set_next_answer(answer);
        FakeEventLog case_events;
        ReportExportPrompts prompts(nullptr, case_events, "quorvane");
        export_report(three_row_report(), RegionalSettings{}, LocalTime{2026, 12, 10}, prompts);

        EXPECT_EQ(MessageBox::last_caption(), "Confirm");
        // The question names the file and the system's reason, not a missing program.
        const QString question = MessageBox::last_text();
        EXPECT_TRUE(question.startsWith("The workbook /proc/rpt-20261210.xlsx cannot be written: "))
            << question.toStdString();
        EXPECT_TRUE(question.contains("Tab delimiter")) << question.toStdString();
        EXPECT_FALSE(question.contains("Excel")) << question.toStdString();
        ASSERT_EQ(case_events.entries().size(), 1u) << "the reason goes to the event log";
        EXPECT_EQ(case_events.entries()[0].first, "quorvane");
        EXPECT_NE(case_events.entries()[0].second.find("/proc/rpt-20261210.xlsx"),
                  std::string::npos);
        EXPECT_EQ(std::filesystem::exists(text), answer == MessageBox::Ok);
        if (answer == MessageBox::Ok) {
            EXPECT_EQ(FileDialog::last_file_name(), "rpt-20261210.txt");
        }
        EXPECT_TRUE(opened.empty());
    }
}

// The dialog opens in the folder a report was last saved to, kept in config.ini; a folder
// that is gone, or no config.ini, gives the home folder.
TEST_F(ReportExportPromptsTest, TheSaveDialogStartsInTheLastFolderUsed) {
    TempDir data;
    const std::string config = data.write("config/config.ini", "").string();
    const std::filesystem::path reports = dir.path() / "reports";
    std::filesystem::create_directories(reports);
    auto export_once = [&](const std::string& path) {
        FileDialog::set_next_file_name(QString::fromStdString(path));
        ReportExportPrompts prompts(nullptr, events, "quorvane", config);
        export_report(three_row_report(), RegionalSettings{}, LocalTime{2026, 12, 10}, prompts);
    };
    export_once((reports / "first.xlsx").string());
    EXPECT_EQ(FileDialog::last_folder(), QDir::homePath()) << "nothing kept yet";
    EXPECT_NE(data.read("config/config.ini").find("[report]\nlastfolder=" + reports.string()),
              std::string::npos)
        << data.read("config/config.ini");

    export_once((dir.path() / "second.xlsx").string());
    EXPECT_EQ(FileDialog::last_folder().toStdString(), reports.string());
    export_once((reports / "third.xlsx").string());
    EXPECT_EQ(FileDialog::last_folder().toStdString(), dir.path().string());

    std::filesystem::remove_all(reports);
    export_once((dir.path() / "fourth.xlsx").string());
    EXPECT_EQ(FileDialog::last_folder(), QDir::homePath()) << "the folder is gone";
    EXPECT_TRUE(events.entries().empty());

    // A folder the report could not be written to is not kept.
    MessageBox::set_next_answer(MessageBox::Cancel);
    export_once("/proc/fifth.xlsx");
    export_once((dir.path() / "sixth.xlsx").string());
    EXPECT_EQ(FileDialog::last_folder().toStdString(), dir.path().string());
}

}  // namespace
}  // namespace quorvane::test
