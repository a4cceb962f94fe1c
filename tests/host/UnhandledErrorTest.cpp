#include <QFileInfo>
#include <QPushButton>
#include <QTimer>

#include <QTest>
#include <algorithm>

#include "host/HostFixture.h"
#include "traffic/TrafficEngine.h"
#include "ui/main/Forms.h"

namespace quorvane::test {
namespace {

using UnhandledError = HostFixture;

TEST_F(UnhandledError, AnErrorEscapingAnEventHandlerGoesToTheEventLogAndNothingElse) {
    auto& app = make_application();
    app.install_unhandled_error_handler();
    QPushButton button("Configure");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        throw std::runtime_error("the command failed");
    });
    button.show();

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QMetaObject::invokeMethod(
        &button, [] { throw std::logic_error("a queued call failed"); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();

    EXPECT_EQ(clicks, 2) << "the program goes on after the error";
    const auto source = app.event_logger().source();
    EXPECT_EQ(source, QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString());
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(events.entries(), (std::vector<Entry>{{source, "the command failed"},
                                                    {source, "the command failed"},
                                                    {source, "a queued call failed"}}));
}

TEST_F(UnhandledError, AfterTheFallbackToDesktopTickAndHandlerErrorsReachTheEventLog) {
    auto& app = make_application();
    manager.dispatcher_result = kErrorFailedServiceControllerConnect;
    net.add_ethernet(2, "eth0", ipv4(10, 0, 0, 2));
    net.failures = 1;
    bool posted = false;
    QTimer probe;
    probe.setInterval(50);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!in_desktop_mode()) return;  // not yet in desktop mode
        if (!posted) {
            posted = true;
            QMetaObject::invokeMethod(
                application.get(), [] { throw std::runtime_error("a handler failed"); },
                Qt::QueuedConnection);
        }
        if (application->forms()->Fmain->engine().tick_counter() >= 2) {
            probe.stop();
            stop_signals->raise_stop();
        }
    });
    probe.start();
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    const auto source = app.event_logger().source();
    auto entries = events.entries();
    std::sort(entries.begin(), entries.end());
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(entries, (std::vector<Entry>{{source, "a handler failed"},
                                           {source, "the interface table cannot be read"}}));
    EXPECT_GE(net.if_reads, 2) << "the tick after the failing one ran";
}

}  // namespace
}  // namespace quorvane::test
