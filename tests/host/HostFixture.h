#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/FakeHostPorts.h"
#include "host/FakeServiceManager.h"
#include "host/Startup.h"
#include "host/TUniApplication.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "ui/FailingNetwork.h"
#include "ui/FakeEventLog.h"
#include "ui/common/UIInitialized.h"

namespace quorvane::test {

// A fresh application object per test, over fake ports, with a provisioned data directory
// that the user store names.
class HostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        provision_data_dir(data_dir());
        dir.write("user/registry.ini", "[Software\\pwktdd]\nCurrentDir=" + data_dir() + "\n");
        UIInitialized = false;
    }
    void TearDown() override { application.reset(); }

    std::string data_dir() const { return dir.str() + "/data"; }
    // Desktop mode watches the stop requests after start-up did.
    bool in_desktop_mode() const { return stop_signals != nullptr && stop_signals->watchers >= 2; }

    TUniApplication& make_application(std::vector<std::string> arguments = {}) {
        application = std::make_unique<TUniApplication>(m_argc, m_argv, std::move(arguments),
                                                        manager, installer, events);
        return *application;
    }
    StartupPorts ports() {
        return StartupPorts{lock,
                            [this] {
                                auto stops = std::make_unique<FakeStopSignals>();
                                stop_signals = stops.get();
                                return stops;
                            },
                            DataDirSources{dir.str() + "/machine/registry.ini",
                                           dir.str() + "/user/registry.ini", dir.str()},
                            TrafficPorts{net, net, net, clock, random}, RegionalSettings{}};
    }

    TempDir dir;
    FakeServiceManager manager;
    FakeServiceInstaller installer;
    FakeEventLog events;
    FakeInstanceLock lock;
    FakeStopSignals* stop_signals = nullptr;
    FailingNetwork net;
    FakeClock clock;
    FakeRandom random;
    std::unique_ptr<TUniApplication> application;

private:
    int m_argc = 1;
    char m_name[16] = "host_tests";
    char* m_argv[2] = {m_name, nullptr};
};

}  // namespace quorvane::test
