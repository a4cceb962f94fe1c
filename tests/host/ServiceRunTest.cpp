#include <QTimer>

#include "host/HostFixture.h"
#include "host/TROrdService.h"
#include "ui/RefusingWindow.h"
#include "ui/main/Forms.h"

namespace quorvane::test {
namespace {

using SS = ServiceState;

std::vector<uint32_t> check_points(const std::vector<ServiceStatusReport>& reports) {
    std::vector<uint32_t> result;
    for (const auto& r : reports) result.push_back(r.check_point);
    return result;
}

using ServiceRun = HostFixture;

TEST_F(ServiceRun, ReportsRunningOnlyAfterTheMainWindowSwitchedAndEndsOnStop) {
    auto& app = make_application();
    manager.controls_when_running = {kServiceControlStop};
    bool service_mode_when_running = false, initialized_when_running = false;
    manager.on_report = [&](const ServiceStatusReport& report) {
        if (report.current_state != SS::Running) return;
        service_mode_when_running = application->forms()->Fmain->IsService();
        initialized_when_running = UIInitialized;
    };
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_TRUE(service_mode_when_running);
    EXPECT_TRUE(initialized_when_running);
    EXPECT_EQ(manager.states(), (std::vector<SS>{SS::StartPending, SS::StartPending, SS::Running,
                                                 SS::StopPending, SS::Stopped}));
    EXPECT_EQ(check_points(manager.reports()), (std::vector<uint32_t>{1, 2, 0, 0, 0}));
    for (const auto& report : manager.reports()) {
        EXPECT_EQ(report.service_type, 0x110u);
        EXPECT_EQ(report.wait_hint, 10000u);
        EXPECT_EQ(report.controls_accepted, report.current_state == SS::StartPending
                                                ? 0u
                                                : kServiceAcceptStop | kServiceAcceptShutdown);
    }
    ASSERT_EQ(lock.asked.size(), 1u);
    EXPECT_EQ(lock.asked[0].rfind("qvane-", 0), 0u) << lock.asked[0];
    EXPECT_FALSE(in_desktop_mode()) << "no desktop loop in service mode";
    EXPECT_TRUE(events.entries().empty());
    EXPECT_EQ(application->forms(), nullptr) << "windows destroyed at the end";
}

TEST_F(ServiceRun, TheServiceEntryFindsItsServiceWhateverTheLetterCase) {
    auto& app = make_application();
    manager.entry_arguments = {"qvanesvc", "--start-argument"};
    manager.controls_when_running = {kServiceControlStop};
    auto p = ports();
    EXPECT_EQ(program_body(app, p), 0);
    EXPECT_EQ(manager.states().size(), 5u);
}

TEST_F(ServiceRun, AFailedSwitchToServiceModeStopsTheServiceWithoutRunning) {
    auto& app = make_application();
    app.Initialize();
    auto& service = app.CreateService<TROrdService>(app);
    RefusingWindow window(MainWindowContext{data_dir(), TrafficPorts{net, net, net, clock, random},
                                            RegionalSettings{}, events, "quorvane", "QVANESVC"});
    service.set_main_window(&window);

    EXPECT_NO_THROW(app.Run());

    EXPECT_EQ(manager.states(), (std::vector<SS>{SS::StartPending, SS::StartPending, SS::Stopped}));
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(events.entries(), (std::vector<Entry>{{"QVANESVC", "the switch failed"}}));
    EXPECT_FALSE(UIInitialized);
}

struct FallbackCase {
    const char* name;
    uint32_t dispatcher_result;
};

void PrintTo(const FallbackCase& c, std::ostream* os) {
    *os << c.name;
}

class DesktopFallback : public HostFixture, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(DesktopFallback, NotStartedByTheServiceManagerRunsOnTheDesktopUntilAStopRequest) {
    auto& app = make_application();
    manager.dispatcher_result = GetParam().dispatcher_result;
    bool checked = false;
    QTimer probe;
    probe.setInterval(50);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!in_desktop_mode()) return;  // still in the host's loop
        auto* forms = application->forms();
        EXPECT_FALSE(application->DispatcherActive());
        EXPECT_FALSE(forms->Fmain->IsService());
        EXPECT_TRUE(UIInitialized);
        EXPECT_TRUE(forms->Fmain->exit2()->isEnabled());
        const QWidget* windows[] = {forms->Fmain.get(),   forms->Fabout.get(), forms->Ftip.get(),
                                    forms->Fconfig.get(), forms->Fmeter.get(), forms->Fstat.get(),
                                    forms->Ftuneup.get()};
        const char* classes[] = {"quorvane::TFmain",   "quorvane::TFabout", "quorvane::TFtip",
                                 "quorvane::TFconfig", "quorvane::TFmeter", "quorvane::TFstat",
                                 "quorvane::TFtuneup"};
        for (int i = 0; i < 7; ++i) {
            ASSERT_NE(windows[i], nullptr) << classes[i];
            EXPECT_STREQ(windows[i]->metaObject()->className(), classes[i]);
            EXPECT_FALSE(windows[i]->isVisible()) << classes[i];
        }
        checked = true;
        probe.stop();
        stop_signals->raise_stop();
    });
    probe.start();
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_TRUE(checked);
    EXPECT_TRUE(manager.reports().empty());
    EXPECT_TRUE(events.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    DispatcherFailures, DesktopFallback,
    ::testing::Values(FallbackCase{"NotStartedByTheManager", kErrorFailedServiceControllerConnect},
                      FallbackCase{"NoServiceManager", kErrorCallNotImplemented}),
    [](const auto& info) { return std::string(info.param.name); });

using HostRun = HostFixture;

TEST_F(HostRun, AnyOtherDispatcherFailureIsLoggedAndEndsTheProgram) {
    auto& app = make_application();
    manager.dispatcher_result = 5;
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_FALSE(in_desktop_mode()) << "no desktop mode";
    ASSERT_EQ(events.entries().size(), 1u);
    EXPECT_EQ(events.entries()[0].second, "system error 5");
    EXPECT_EQ(events.entries()[0].first, app.event_logger().source());
}

TEST_F(HostRun, ASecondInstanceEndsAtOnceWithExitCodeZero) {
    auto& app = make_application();
    lock.free = false;
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_EQ(app.forms(), nullptr);
    EXPECT_TRUE(manager.reports().empty());
    EXPECT_TRUE(events.entries().empty());
}

}  // namespace
}  // namespace quorvane::test
