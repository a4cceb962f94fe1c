#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "logdb/LogDatabase.h"
#include "support/FakeClock.h"
#include "support/FakeNetwork.h"
#include "support/FakeRandom.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "traffic/TrafficEngine.h"

namespace quorvane::test {

// Records what the sampling cycle hands to the windows.
struct RecordingObserver : SamplingObserver {
    bool wants_meter() const override { return meter_on; }
    void update_meter(const Tmibarray& d) override { ++meter_updates, meter_seen = d.size(); }
    bool wants_stat() const override { return stat_on; }
    void update_stat(const Tmibarray&) override { ++stat_updates; }
    void set_tray_icon(int index) override { tray = index; }
    bool meter_on = false, stat_on = false;
    int meter_updates = 0, stat_updates = 0, tray = -1;
    size_t meter_seen = 0;
};

// An engine over a fake machine, with a provisioned data directory and its real log.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        provision_data_dir(dir.str());
        log = std::make_unique<LogDatabase>(dir.str() + "/config/log.db");
        engine = std::make_unique<TrafficEngine>(TrafficPorts{net, net, net, clock, random},
                                                 RegionalSettings{}, dir.str(), *log);
        engine->set_observer(&observer);
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) engine->run_tick();
    }
    Tmibdata& device(uint32_t index) {
        for (auto& d : engine->mibarray())
            if (d.if_index == index) return d;
        throw std::runtime_error("no device " + std::to_string(index));
    }
    std::vector<LogRow> rows() { return log->read_filtered(LogFilter{}); }
    void write_dev_ini(const std::string& text) { dir.write("config/dev.ini", text); }

    TempDir dir;
    FakeNetwork net;
    FakeClock clock;
    FakeRandom random;
    RecordingObserver observer;
    std::unique_ptr<LogDatabase> log;
    std::unique_ptr<TrafficEngine> engine;
};

}  // namespace quorvane::test
