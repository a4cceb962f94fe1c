#include "usage/ReportExport.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <sstream>

#include "support/ReportFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "support/XlsxSheet.h"
#include "usage/TextReport.h"

namespace quorvane::test {
namespace {

// Answers the export's questions from a script and records what was asked.
class ScriptedPrompts : public ExportPrompts {
public:
    std::optional<std::string> save_file_name(const std::string& default_extension,
                                              const std::string& file_name) override {
        offered.push_back(file_name + " (" + default_extension + ")");
        auto answer = file_names.empty() ? std::nullopt : file_names.front();
        if (!file_names.empty()) file_names.pop_front();
        return answer;
    }
    bool confirm_ok_cancel(const std::string& text) override {
        confirmations.push_back(text);
        return ok;
    }
    void sheet_failed(const std::string& reason) override { failures.push_back(reason); }
    void open_workbook(const std::string& path) override { opened.push_back(path); }

    std::deque<std::optional<std::string>> file_names;
    bool ok = true;
    std::vector<std::string> offered, confirmations, failures, opened;
};

const LocalTime kToday{2026, 12, 10, 9, 30, 0};

TEST(ReportFileName, IsRptAndTheDate) {
    EXPECT_EQ(report_file_name(kToday, "xlsx"), "rpt-20261210.xlsx");
    EXPECT_EQ(report_file_name(LocalTime{2005, 3, 7}, "txt"), "rpt-20050307.txt");
}

class ReportExport : public ::testing::Test {
protected:
    void run() { export_report(three_row_report(), point_decimal(), kToday, prompts); }
    std::string in_dir(const std::string& name) const { return (dir.path() / name).string(); }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        return names;
    }
    TempDir dir;
    ScriptedPrompts prompts;
    const std::string unwritable = "/proc/rpt-20261210.xlsx";
};

TEST_F(ReportExport, AConfirmedDialogGetsTheWorkbookWhichIsThenOpened) {
    prompts.file_names = {in_dir("rpt-20261210.xlsx")};
    run();
    EXPECT_EQ(prompts.offered, (std::vector<std::string>{"rpt-20261210.xlsx (xlsx)"}));
    EXPECT_EQ(XlsxSheet(in_dir("rpt-20261210.xlsx")).text("A14"), "Summary");
    EXPECT_EQ(prompts.opened, (std::vector<std::string>{in_dir("rpt-20261210.xlsx")}));
    EXPECT_TRUE(prompts.confirmations.empty());
}

TEST_F(ReportExport, AWorkbookThatFailsOffersTheTextReport) {
    struct Case {
        const char* name;
        bool ok;
        std::optional<std::string> text_file;
        std::vector<std::string> offered;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"OK, then a file",
         true,
         "rpt-20261210.txt",
         {"rpt-20261210.xlsx (xlsx)", "rpt-20261210.txt (txt)"},
         {"rpt-20261210.txt"}},
        {"OK, then Cancel",
         true,
         std::nullopt,
         {"rpt-20261210.xlsx (xlsx)", "rpt-20261210.txt (txt)"},
         {}},
        {"Cancel", false, std::nullopt, {"rpt-20261210.xlsx (xlsx)"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir case_dir;
        ScriptedPrompts answers;
        answers.ok = c.ok;
        answers.file_names = {unwritable};
        if (c.text_file) answers.file_names.push_back((case_dir.path() / *c.text_file).string());
        export_report(three_row_report(), point_decimal(), kToday, answers);

        EXPECT_EQ(answers.offered, c.offered);
        ASSERT_EQ(answers.failures.size(), 1u);
        // The question names the real reason: the file and the system's message.
        EXPECT_EQ(answers.confirmations,
                  (std::vector<std::string>{text_route_message(answers.failures[0])}));
        EXPECT_NE(answers.failures[0].find(unwritable), std::string::npos) << answers.failures[0];
        EXPECT_TRUE(answers.opened.empty()) << "the text route opens nothing";
        std::vector<std::string> written;
        for (const auto& entry : std::filesystem::directory_iterator(case_dir.path()))
            written.push_back(entry.path().filename().string());
        EXPECT_EQ(written, c.files);
        if (c.text_file) {
            std::ostringstream expected;
            write_text_report(three_row_report(), point_decimal(), expected);
            EXPECT_EQ(case_dir.read(*c.text_file), expected.str());
        }
    }
}

TEST_F(ReportExport, CancellingTheFirstDialogWritesAndAsksNothing) {
    run();
    EXPECT_EQ(prompts.offered.size(), 1u);
    EXPECT_TRUE(prompts.confirmations.empty());
    EXPECT_TRUE(prompts.opened.empty());
    EXPECT_TRUE(files().empty());
}

TEST_F(ReportExport, ATextReportThatCannotBeWrittenEndsTheExportWithItsError) {
    prompts.file_names = {unwritable, std::string("/proc/rpt-20261210.txt")};
    EXPECT_THROW(run(), ReportError);
    EXPECT_FALSE(std::filesystem::exists("/proc/rpt-20261210.txt"));
}

}  // namespace
}  // namespace quorvane::test
