// A stop request in desktop mode ends the program whatever modal window is open (the
// configuration dialog, the export's save dialog), with the last figures of the open
// connections written.
#include <QApplication>
#include <QTimer>

#include <chrono>
#include <functional>
#include <iostream>

#include "host/HostFixture.h"
#include "logdb/LogDatabase.h"
#include "support/FakeNetwork.h"
#include "traffic/TrafficEngine.h"
#include "ui/common/FileDialog.h"
#include "ui/main/Forms.h"

namespace quorvane::test {
namespace {

struct OpenWindowCase {
    const char* name;
    std::function<void(TFmain&)> open;
    const char* modal_class;
};

class StopWithOpenWindow : public HostFixture,
                           public ::testing::WithParamInterface<OpenWindowCase> {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        FileDialog::reset();
        FileDialog::show_on_any_platform(true);
    }
    void TearDown() override {
        FileDialog::show_on_any_platform(false);
        HostFixture::TearDown();
    }
};

TEST_P(StopWithOpenWindow, EndsTheProgramAndWritesTheLastFigures) {
    auto& app = make_application();
    manager.dispatcher_result = kErrorFailedServiceControllerConnect;
    net.add_ethernet(2, "eth0", ipv4(10, 0, 0, 2));
    bool opened = false;
    QString modal_class;
    std::chrono::steady_clock::time_point stop_at;
    QTimer probe;
    probe.setInterval(20);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!in_desktop_mode()) return;
        auto& main_window = *application->forms()->Fmain;
        if (!opened) {
            // Two ticks online: the connection's row is in the log with duration 0.
            if (main_window.engine().tick_counter() < 2) return;
            opened = true;
            // From a timer of its own: the window's loop then runs inside that handler.
            QTimer::singleShot(0, [&main_window] { GetParam().open(main_window); });
            return;
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            probe.stop();
            modal_class = modal->metaObject()->className();
            stop_at = std::chrono::steady_clock::now();
            stop_signals->raise_stop();
        }
    });
    probe.start();
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - stop_at);

    EXPECT_EQ(modal_class, GetParam().modal_class);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(app.forms(), nullptr) << "the windows are gone";
    LogDatabase log(data_dir() + "/config/log.db");
    const auto rows = log.read_filtered(LogFilter{});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_GT(rows[0].duration, 0) << "the last figures were written at the stop";
    std::cout << GetParam().name << ": ended " << took.count() << " ms after the stop request\n";
}

INSTANTIATE_TEST_SUITE_P(Windows, StopWithOpenWindow,
                         ::testing::Values(OpenWindowCase{"ConfigurationDialog",
                                                          [](TFmain& w) { w.SpeedButton4Click(); },
                                                          "quorvane::TFconfig"},
                                           OpenWindowCase{"ExportSaveDialog",
                                                          [](TFmain& w) { w.SpeedButton10Click(); },
                                                          "QFileDialog"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::test
