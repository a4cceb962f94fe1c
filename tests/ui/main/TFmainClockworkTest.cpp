#include <QTest>
#include <QTimer>

#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/Forms.h"
#include "ui/main/LogStatusLine.h"

namespace quorvane::test {
namespace {

struct StartCase {
    const char* name;
    const char* config_ini;  // nullptr: no config.ini at all
    bool main_visible;
    bool tip_visible;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class TFmainTimer2 : public MainWindowFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(TFmainTimer2, ShowsTheWindowUnlessStartMinimizedAndTheTipWhenAsked) {
    const auto& c = GetParam();
    if (c.config_ini != nullptr) dir.write("config/config.ini", c.config_ini);
    Forms forms;
    forms.Fmain = make_window();
    forms.Ftip = std::make_unique<TFtip>();
    forms.Fmain->set_forms(&forms);

    forms.Fmain->Timer2Timer();

    EXPECT_EQ(forms.Fmain->isVisible(), c.main_visible);
    EXPECT_EQ(forms.Ftip->isVisible(), c.tip_visible);
    EXPECT_EQ(forms.Fmain->Timer2(), nullptr) << "Timer2 fires once and is disposed of";
}

INSTANTIATE_TEST_SUITE_P(
    GeneralOptions, TFmainTimer2,
    ::testing::Values(
        StartCase{"NoConfigFile", nullptr, true, false},
        StartCase{"NotMinimized", "[general]\nstartminimized=0\n", true, false},
        StartCase{"Minimized", "[general]\nstartminimized=1\n", false, false},
        StartCase{"MinimizedByAnyOtherValue", "[general]\nstartminimized=yes\n", false, false},
        StartCase{"TipWhileMinimized", "[General]\nStartMinimized=1\nTipOfTheDay=1\n", false, true},
        StartCase{"Tip", "[general]\ntipoftheday=1\n", true, true},
        StartCase{"TipOnlyForExactlyOne", "[general]\ntipoftheday=true\n", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

using TFmainTick = MainWindowFixture;

TEST_F(TFmainTick, OneTickSamplesReadsTheDeviceOptionsAndLogsTheNewConnection) {
    net.add_ethernet(2, "eth0", ipv4(10, 0, 0, 2));
    dir.write("config/dev.ini", "[eth0]\ntray_option=0\n");
    auto window = make_window();

    window->Timer3Timer();

    EXPECT_EQ(window->engine().tick_counter(), 1);
    ASSERT_EQ(window->engine().mibarray().size(), 1u);
    EXPECT_EQ(window->engine().mibarray()[0].tray_option, 0) << "options read before logging";
    EXPECT_FALSE(window->engine().dev_cfg_changed());
    auto rows = window->log_database().read_filtered(LogFilter{});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].deventry, "eth0");
    EXPECT_TRUE(events.entries().empty());
}

// The central log's trouble reaches the error line on the tick, with no timer of its own,
// and goes once its source says the pushes work again.
TEST_F(TFmainTick, TheTickShowsWhatKeepsTheCentralLogFromBeingWritten) {
    auto window = make_window();
    std::string problem = "central log: password authentication failed";
    window->set_central_problem_source([&problem] { return problem; });

    window->Timer3Timer();
    EXPECT_EQ(window->log_status()->problem().toStdString(),
              "Central log: password authentication failed");

    problem.clear();
    window->Timer3Timer();
    EXPECT_TRUE(window->log_status()->problem().isEmpty());
}

TEST_F(TFmainTick, AnErrorEndsTheTickReachesTheEventLogOnceAndTheNextTickRuns) {
    net.add_ethernet(2, "eth0", ipv4(10, 0, 0, 2));
    auto window = make_window();
    net.failures = 2;

    EXPECT_NO_THROW(window->Timer3Timer());
    EXPECT_NO_THROW(window->Timer3Timer());
    using Entry = std::pair<std::string, std::string>;
    const std::vector<Entry> one{{"quorvane", "the interface table cannot be read"}};
    EXPECT_EQ(events.entries(), one) << "the same error tick after tick is written once";
    EXPECT_TRUE(window->log_database().read_filtered(LogFilter{}).empty());

    window->Timer3Timer();
    EXPECT_EQ(window->engine().tick_counter(), 3);
    EXPECT_EQ(window->log_database().read_filtered(LogFilter{}).size(), 1u);
    EXPECT_EQ(events.entries(), one);

    net.failures = 1;
    window->Timer3Timer();
    EXPECT_EQ(events.entries().size(), 2u) << "an error after a good tick is written again";
}

TEST_F(TFmainTick, Timer3DrivesTheTicksAndAFailingTickDoesNotStopIt) {
    net.add_ethernet(2, "eth0", ipv4(10, 0, 0, 2));
    net.failures = 1;
    auto window = make_window();

    EXPECT_TRUE(QTest::qWaitFor([&] { return window->engine().tick_counter() >= 2; }, 10000));

    EXPECT_EQ(events.entries().size(), 1u);
    EXPECT_GE(net.if_reads, 2);
    EXPECT_EQ(window->log_database().read_filtered(LogFilter{}).size(), 1u);
}

}  // namespace
}  // namespace quorvane::test
