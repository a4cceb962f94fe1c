#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "logdb/LogDatabase.h"
#include "report/ReportCommand.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {

// A data directory with a small log and tariffs, and quorvane-report run on it in process.
// LAN costs 1.5 an hour and 0.01 a KByte of download; a name holding a comma and a quote
// ("Dial, \"up\"") costs 2.00 a minute; WAN costs nothing.
class ReportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "config");
        create_log_db(log_path());
        dir.write("config/dev.ini",
                  "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.01\nBw_cost_sat=1\nBw_opt=1\n"
                  "[Dial, \"up\"]\nTime_cost=2\nTime_cost_sat=0\n");
        LogDatabase log(log_path());
        for (const auto& row : rows()) log.insert_connection(row);
    }
    static std::vector<LogRow> rows() {
        auto row = [](const char* id, const char* date, const char* time, const char* device,
                      int32_t seconds, int64_t down, int64_t up) {
            return LogRow{id, date, time, "local", device, seconds, 100000000, down, up};
        };
        return {row("n30", "2026-11-30", "23:00", "LAN", 60, 1, 1),
                row("d01a", "2026-12-01", "09:00", "LAN", 3600, 1024000, 2048),
                row("d01b", "2026-12-01", "18:00", "lan", 1800, 5368709120, 0),
                row("d01c", "2026-12-01", "12:00", "Dial, \"up\"", 90, 500, 700),
                row("d31", "2026-12-31", "23:59", "WAN", 30, 10, 20),
                row("j01", "2027-01-01", "00:00", "LAN", 60, 1, 1)};
    }
    std::string log_path() const { return dir.str() + "/config/log.db"; }

    // Runs the report with --data-dir of the fixture before the arguments; `out` and `err`
    // get what it wrote.
    int report(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--data-dir", dir.str()});
        return report_without_dir(std::move(arguments));
    }
    int report_without_dir(const std::vector<std::string>& arguments) {
        std::ostringstream o, e;
        const int status = run_report(arguments, environment, o, e);
        out = o.str();
        err = e.str();
        return status;
    }

    TempDir dir;
    // Today is 10 December 2026; a point decimal and a comma between thousands.
    ReportEnvironment environment{
        DataDirSources{dir.str() + "/no-machine-store", dir.str() + "/no-user-store", dir.str()},
        LocalTime{2026, 12, 10, 9, 30, 0}, RegionalSettings{".", ",", "M/d/yyyy", "HH:mm"}};
    std::string out;
    std::string err;
};

}  // namespace quorvane::test
