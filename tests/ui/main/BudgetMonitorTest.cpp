#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "ui/MainFaceFixture.h"
#include "ui/common/MessageBox.h"
#include "ui/main/BudgetMonitor.h"
#include "ui/main/DeviceComboBox.h"
#include "ui/main/LogFilterBox.h"
#include "ui/main/TrayIcon.h"

#include <QComboBox>
#include <QToolButton>

namespace quorvane::test {
namespace {

using Notices = std::vector<std::pair<std::string, std::string>>;

// Keeps the notices instead of showing them.
class RecordingNotices : public BudgetNotices {
public:
    explicit RecordingNotices(Notices& given) : m_given(given) {}
    void notify(const QString& title, const QString& text) override {
        m_given.emplace_back(title.toStdString(), text.toStdString());
    }

private:
    Notices& m_given;
};

// The budgets at work in the real main window's ticks, over a real log and a fake machine
// whose LAN is online.
class BudgetMonitorTest : public MainFaceFixture {
protected:
    void SetUp() override {
        MainFaceFixture::SetUp();
        // 1.00 per Mbyte (1024000 bytes) of both directions, 10.00 a month.
        dir.write("config/dev.ini", "[LAN]\nBw_cost=1\nBw_cost_sat=2\nBudget_cost=10\n");
        // 8.00 on the 1st: 80 % already.
        window->log_database().insert_connection(
            LogRow{"old", "2026-12-01", "08:00", "local", "LAN", 60, 0, 8192000, 0});
        net.add_ethernet(2, "LAN", ipv4(10, 0, 0, 2));
    }
    void record() { window->budgets()->set_notices(std::make_unique<RecordingNotices>(given)); }
    Notices given;
};

TEST_F(BudgetMonitorTest, EightyOnceHundredOnceAndNothingAgainAfterARestart) {
    record();
    ticks(3);
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(given[0].first, "Monthly budget at 80 %");
    EXPECT_EQ(given[0].second,
              "LAN: this month's cost is 8.00 of 10.00, 80 % of its monthly budget.");
    EXPECT_EQ(window->tray()->tool_tip(), "Quorvane\nLAN: 8.00 of 10.00 (80 %)");

    // 2048000 bytes down on the open connection: 2.00 more.
    traffic(2, 2048000, 0);
    ticks(3);
    ASSERT_EQ(given.size(), 2u);
    EXPECT_EQ(given[1].first, "Monthly budget passed");
    EXPECT_EQ(given[1].second,
              "LAN: this month's cost is 10.00 of 10.00, 100 % of its monthly budget.");
    EXPECT_EQ(window->tray()->tool_tip(), "Quorvane\nLAN: 10.00 of 10.00 (100 %)");

    // The program stops and starts again in the same month.
    forms.Fmain.reset();
    forms.Fmain = make_window();
    window = forms.Fmain.get();
    window->set_forms(&forms);
    record();
    ticks(3);
    EXPECT_EQ(given.size(), 2u);
    EXPECT_EQ(window->tray()->tool_tip(), "Quorvane\nLAN: 10.00 of 10.00 (100 %)");
    EXPECT_TRUE(events.entries().empty()) << events.entries().front().second;
}

// Erasing this month's rows from the database view takes them out of the month to date.
TEST_F(BudgetMonitorTest, AnEraseIsCountedAtTheNextTick) {
    record();
    ticks(2);
    EXPECT_EQ(window->tray()->tool_tip(), "Quorvane\nLAN: 8.00 of 10.00 (80 %)");
    LogFilterBox* box = window->filter_box();
    box->ComboBoxEx1()->setEditText("LAN");
    for (auto* combo : {box->ComboBox4(), box->ComboBox7()}) combo->setEditText("1");
    for (auto* combo : {box->ComboBox2(), box->ComboBox5()}) combo->setEditText("December");
    for (auto* combo : {box->ComboBox3(), box->ComboBox6()}) combo->setEditText("2026");
    MessageBox::set_next_answer(MessageBox::Yes);
    window->SpeedButton1Click();
    ticks(1);
    EXPECT_EQ(window->tray()->tool_tip(), "Quorvane\nLAN: 0.00 of 10.00 (0 %)");
}

// Without a display there is no tray: the same words go to the event log, once.
TEST_F(BudgetMonitorTest, WithoutADisplayTheEventLogGetsTheWordsOnce) {
    ticks(3);
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_EQ(events.entries()[0].first, "quorvane");
    EXPECT_EQ(events.entries()[0].second,
              "Monthly budget at 80 %: LAN: this month's cost is 8.00 of 10.00, 80 % of its "
              "monthly budget.");
}

// A budget that does not convert is told once; the logging goes on.
TEST_F(BudgetMonitorTest, ABudgetThatDoesNotConvertIsToldOnce) {
    dir.write("config/dev.ini", "[LAN]\nBudget_cost=ten\n");
    record();
    ticks(3);
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_EQ(events.entries()[0].second,
              "Monthly budgets: 'ten' is not a valid floating point value");
    EXPECT_TRUE(given.empty());
    EXPECT_EQ(window->log_database().read_filtered(LogFilter{}).size(), 2u);
}

}  // namespace
}  // namespace quorvane::test
