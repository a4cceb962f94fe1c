#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTimer>

#include "logdb/LogDatabase.h"
#include "traffic/TrafficEngine.h"
#include "ui/MainWindowFixture.h"
#include "ui/RefusingWindow.h"
#include "ui/common/MessageBox.h"

namespace quorvane::test {
namespace {

using TFmainCreate = MainWindowFixture;

TEST_F(TFmainCreate, PreparesAHiddenWindowWhoseTimersCountFromCreation) {
    auto window = make_window();
    EXPECT_EQ(window->windowTitle(), "Quorvane");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->IsService());
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Quorvane");
    EXPECT_EQ(window->log_database().path(), dir.str() + "/config/log.db");
    EXPECT_EQ(window->help_file(), dir.str() + "/qvane help/qvane.html");
    EXPECT_TRUE(window->engine().dev_cfg_changed());

    ASSERT_NE(window->Timer2(), nullptr);
    EXPECT_TRUE(window->Timer2()->isActive());
    EXPECT_TRUE(window->Timer2()->isSingleShot());
    EXPECT_EQ(window->Timer2()->interval(), 1000);
    EXPECT_TRUE(window->Timer3()->isActive());
    EXPECT_FALSE(window->Timer3()->isSingleShot());
    EXPECT_EQ(window->Timer3()->interval(), 1000);
}

struct CloseCase {
    const char* name;
    bool service;
    MessageBox::Answer answer;
    bool closes;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class TFmainClose : public MainWindowFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(TFmainClose, AsksInApplicationModeAndRefusesInServiceMode) {
    const auto& c = GetParam();
    auto window = make_window();
    window->show();
    window->SetServiceMode(c.service);
    QSignalSpy closed(window.get(), &TFmain::closed);

    MessageBox::set_next_answer(c.answer);
    EXPECT_EQ(window->close(), c.closes);

    EXPECT_EQ(window->isVisible(), !c.closes);
    EXPECT_EQ(closed.count(), c.closes ? 1 : 0);
    EXPECT_EQ(MessageBox::last_caption(), "Confirm");
    if (c.service) {
        EXPECT_EQ(MessageBox::last_text(),
                  "You cannot close Quorvane because it runs as a service.\nTo stop it, stop the "
                  "service QVANESVC with the system's service manager (systemctl stop QVANESVC).");
    } else {
        EXPECT_EQ(MessageBox::last_text(),
                  "Close application ?\nQuorvane will stop recording your online time");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TFmainClose,
    ::testing::Values(CloseCase{"DesktopYes", false, MessageBox::Yes, true},
                      CloseCase{"DesktopCancel", false, MessageBox::Cancel, false},
                      CloseCase{"DesktopDismissed", false, MessageBox::Dismissed, false},
                      // The refusal stands however its box is dismissed.
                      CloseCase{"ServiceOk", true, MessageBox::Ok, false},
                      CloseCase{"ServiceDismissed", true, MessageBox::Dismissed, false},
                      CloseCase{"ServiceYes", true, MessageBox::Yes, false}),
    [](const auto& info) { return std::string(info.param.name); });

using TFmainMode = MainWindowFixture;

TEST_F(TFmainMode, StopRequestInApplicationModeClosesWithoutAsking) {
    auto window = make_window();
    window->show();
    window->SetServiceMode(false);
    QSignalSpy closed(window.get(), &TFmain::closed);
    MessageBox::set_next_answer(MessageBox::Ok);
    MessageBox::information(nullptr, "Before", "no question since");

    window->close_confirmed();

    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(MessageBox::last_text(), "no question since");
}

TEST_F(TFmainMode, StopRequestWhileTheCloseQuestionIsOpenAnswersItAndCloses) {
    auto window = make_window();
    window->show();
    window->SetServiceMode(false);
    QSignalSpy closed(window.get(), &TFmain::closed);
    MessageBox::show_on_any_platform(true);
    bool question_was_open = false;
    QTimer::singleShot(50, [&] {
        question_was_open = QApplication::activeModalWidget() != nullptr;
        window->close_confirmed();
    });

    const bool result = window->close();
    MessageBox::show_on_any_platform(false);

    EXPECT_TRUE(question_was_open);
    EXPECT_TRUE(result);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(TFmainMode, ServiceModeDisablesTheTrayExitAndMarksTheSwitchDone) {
    auto window = make_window();
    EXPECT_TRUE(window->exit2()->isEnabled());

    window->UIInitialize(1);

    EXPECT_TRUE(window->IsService());
    EXPECT_TRUE(UIInitialized);
    EXPECT_FALSE(window->exit2()->isEnabled());
}

TEST_F(TFmainMode, TrayExitInApplicationModeGoesThroughTheConfirmation) {
    auto window = make_window();
    window->show();
    window->SetServiceMode(false);
    QSignalSpy closed(window.get(), &TFmain::closed);

    MessageBox::set_next_answer(MessageBox::Cancel);
    window->exit2()->trigger();
    EXPECT_TRUE(window->isVisible());

    MessageBox::set_next_answer(MessageBox::Yes);
    window->exit2()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(TFmainMode, FailedSwitchToServiceModeGoesToTheServiceLogAndLeavesItUninitialized) {
    RefusingWindow window(context());
    window.set_is_service(true);

    EXPECT_NO_THROW(window.UIInitialize(1));

    EXPECT_FALSE(UIInitialized);
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(events.entries(), (std::vector<Entry>{{"QVANESVC", "the switch failed"}}));
}

TEST_F(TFmainMode, FailedSwitchOutsideServiceModeIsLeftToTheUnhandledErrorPath) {
    RefusingWindow window(context());
    EXPECT_THROW(window.UIInitialize(0), std::runtime_error);
    EXPECT_TRUE(events.entries().empty());
}

}  // namespace
}  // namespace quorvane::test
