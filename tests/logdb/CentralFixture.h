#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "logdb/CentralPush.h"
#include "logdb/LogDatabase.h"
#include "logdb/LogRow.h"
#include "support/LogDbFixture.h"
#include "support/PgServer.h"
#include "support/TempDir.h"

namespace quorvane::test {

// A PostgreSQL server with the central schema for the whole test program, meters "alpha" and
// "beta" (roles meter_alpha, meter_beta) and a reader; and per test a meter's own log.
class CentralFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server = std::make_unique<PgServer>();
        if (!server->available()) return;
        server->load_central_schema();
        server->add_meter("meter_alpha", "alpha");
        server->add_meter("meter_beta", "beta");
        server->add_reader("reader");
    }
    static void TearDownTestSuite() { server.reset(); }

    void SetUp() override {
        if (!server->available()) GTEST_SKIP() << "no PostgreSQL server: " << server->why_not();
        server->sql("TRUNCATE log");
        create_log_db(log_path());
        log = std::make_unique<LogDatabase>(log_path());
    }

    std::string log_path() const { return dir.str() + "/log.db"; }
    CentralTarget alpha() const { return CentralTarget{server->url("meter_alpha"), "alpha"}; }

    // The central rows of a host as the local log holds them, ordered by id.
    std::vector<LogRow> central_rows(const std::string& host) const {
        std::vector<LogRow> rows;
        const std::string text = server->query(
            "SELECT devuniqueid, startdate, starttime, usera, deventry, duration, speed, dload,"
            " uload FROM log WHERE host = '" +
            host + "' ORDER BY devuniqueid");
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line, '\n');) {
            std::vector<std::string> f;
            std::istringstream cells(line);
            for (std::string cell; std::getline(cells, cell, '|');) f.push_back(cell);
            rows.push_back(LogRow{f[0], f[1], f[2], f[3], f[4], std::stoi(f[5]), std::stoi(f[6]),
                                  std::stoll(f[7]), std::stoll(f[8])});
        }
        return rows;
    }

    std::vector<LogRow> local_rows() const {
        LogDatabase reader(log_path());
        auto rows = reader.read_filtered(LogFilter{});
        std::sort(rows.begin(), rows.end(),
                  [](const LogRow& a, const LogRow& b) { return a.devuniqueid < b.devuniqueid; });
        return rows;
    }

    static inline std::unique_ptr<PgServer> server;
    TempDir dir;
    std::unique_ptr<LogDatabase> log;
};

}  // namespace quorvane::test
