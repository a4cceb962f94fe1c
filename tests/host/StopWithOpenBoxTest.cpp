#include <QApplication>
#include <QTimer>

#include "host/HostFixture.h"
#include "ui/common/MessageBox.h"
#include "ui/main/Forms.h"

namespace quorvane::test {
namespace {

// A stop must end the program even while a message box waits for an answer inside the
// loop that is to end: the box is dismissed, not left behind on a program that no longer
// runs.
class StopWithOpenBox : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        MessageBox::show_on_any_platform(true);
    }
    void TearDown() override {
        MessageBox::show_on_any_platform(false);
        HostFixture::TearDown();
    }

    // Once `ready` holds, tries to close the main window; while the box that this opens is
    // up, calls `stop`.
    void close_then_stop_while_the_box_is_open(std::function<bool()> ready,
                                               std::function<void()> stop) {
        QObject::connect(&m_probe, &QTimer::timeout, [this, ready, stop] {
            if (!m_close_tried) {
                if (!ready()) return;
                m_close_tried = true;
                // From a timer of its own: a timer does not fire again while its handler
                // runs, and this handler then waits in the box's loop.
                QTimer::singleShot(0, [this] { application->forms()->Fmain->close(); });
                return;
            }
            if (!m_stopped && QApplication::activeModalWidget() != nullptr) {
                m_stopped = true;
                box_text = MessageBox::last_text();
                stop();
            }
        });
        m_probe.start(20);
    }

    QString box_text;
    bool stopped() const { return m_stopped; }

private:
    QTimer m_probe;
    bool m_close_tried = false;
    bool m_stopped = false;
};

TEST_F(StopWithOpenBox, ServiceStopsWhileTheCloseRefusalIsShown) {
    auto& app = make_application();
    close_then_stop_while_the_box_is_open(
        [this] { return UIInitialized && application->forms()->Fmain->IsService(); },
        [this] { manager.send_control(kServiceControlStop); });
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_TRUE(stopped());
    EXPECT_TRUE(box_text.startsWith("You cannot close Quorvane")) << box_text.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(manager.states().back(), ServiceState::Stopped);
}

TEST_F(StopWithOpenBox, DesktopStopRequestAnswersTheOpenCloseQuestion) {
    auto& app = make_application();
    manager.dispatcher_result = kErrorFailedServiceControllerConnect;
    close_then_stop_while_the_box_is_open([this] { return in_desktop_mode(); },
                                          [this] { stop_signals->raise_stop(); });
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_TRUE(stopped());
    EXPECT_TRUE(box_text.startsWith("Close application ?")) << box_text.toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(events.entries().empty());
}

}  // namespace
}  // namespace quorvane::test
