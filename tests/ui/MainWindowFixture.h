#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "ui/FailingNetwork.h"
#include "ui/FakeEventLog.h"
#include "ui/common/UIInitialized.h"
#include "ui/main/TFmain.h"

namespace quorvane::test {

// The real main window over a fake machine and a provisioned data directory.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        provision_data_dir(dir.str());
        UIInitialized = false;
    }
    MainWindowContext context() {
        return MainWindowContext{dir.str(),          TrafficPorts{net, net, net, clock, random},
                                 RegionalSettings{}, events,
                                 "quorvane",         "QVANESVC"};
    }
    std::unique_ptr<TFmain> make_window() { return std::make_unique<TFmain>(context()); }

    TempDir dir;
    FailingNetwork net;
    FakeClock clock;
    FakeRandom random;
    FakeEventLog events;
};

}  // namespace quorvane::test
