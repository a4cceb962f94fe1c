#include "host/HostFixture.h"

namespace quorvane::test {
namespace {

using SS = ServiceState;

// A service of the framework alone, whose stop fails the first time.
class ServiceControl : public HostFixture {
protected:
    TService& make_service(bool allow_pause) {
        auto& app = make_application();
        app.Initialize();
        auto& service = app.CreateService<TService>(manager, events);
        service.settings().Name = "TESTSVC";
        service.settings().AllowPause = allow_pause;
        service.OnStop = [this](TService&, bool&) {
            if (++stops == 1) throw std::runtime_error("stop failed");
        };
        return service;
    }
    int stops = 0;
};

TEST_F(ServiceControl, RequestsRunOnTheWorkerAndAFailedStopRestoresTheStatus) {
    auto& service = make_service(false);
    manager.controls_when_running = {kServiceControlInterrogate, kServiceControlPause,
                                     kServiceControlContinue,    200,
                                     kServiceControlStop,        kServiceControlStop};

    application->Run();

    // Pause and continue are not offered, so not executed; code 200 is accepted and ignored.
    EXPECT_EQ(manager.states(),
              (std::vector<SS>{SS::StartPending, SS::StartPending, SS::Running, SS::Running,
                               SS::StopPending, SS::Running, SS::StopPending, SS::Stopped}));
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(events.entries(),
              (std::vector<Entry>{{"TESTSVC", "Service failed on stop: stop failed"}}));
    EXPECT_EQ(service.Params(), std::vector<std::string>{"TESTSVC"});
    EXPECT_EQ(stops, 2);
}

TEST_F(ServiceControl, PauseAndContinueWhereTheServiceOffersThem) {
    make_service(true);
    manager.controls_when_running = {kServiceControlPause, kServiceControlContinue,
                                     kServiceControlStop, kServiceControlShutdown};

    application->Run();

    EXPECT_EQ(manager.states(),
              (std::vector<SS>{SS::StartPending, SS::StartPending, SS::Running, SS::PausePending,
                               SS::Paused, SS::ContinuePending, SS::Running, SS::StopPending,
                               SS::Running, SS::StopPending, SS::Stopped}));
}

TEST(ServiceStatus, CheckpointCountsTheReportsOfOnePendingStateInARow) {
    FakeServiceManager manager;
    FakeEventLog events;
    TService service(manager, events);
    service.settings().Name = "TESTSVC";
    using CS = TCurrentStatus;
    for (auto status : {CS::csStartPending, CS::csStartPending, CS::csRunning, CS::csStopPending,
                        CS::csStopPending, CS::csStopPending, CS::csRunning, CS::csRunning,
                        CS::csStopped, CS::csStopped}) {
        service.SetStatus(status);
    }
    std::vector<uint32_t> points;
    for (const auto& report : manager.reports()) points.push_back(report.check_point);
    EXPECT_EQ(points, (std::vector<uint32_t>{1, 2, 0, 0, 1, 2, 0, 0, 0, 0}));
    EXPECT_EQ(manager.reports()[0].controls_accepted, 0u);
    EXPECT_EQ(manager.reports()[2].controls_accepted,
              kServiceAcceptStop | kServiceAcceptShutdown | kServiceAcceptPauseContinue);
    EXPECT_EQ(manager.reports()[0].service_type, kServiceWin32OwnProcess);
}

}  // namespace
}  // namespace quorvane::test
