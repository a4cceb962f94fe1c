#include <chrono>
#include <filesystem>
#include <sstream>

#include "logdb/CentralFixture.h"
#include "logdb/CentralLedger.h"
#include "logdb/PgConnection.h"
#include "report/ReportCommand.h"

namespace quorvane::test {
namespace {

// Two meters with logs of their own and the same tariffs; the central report over both is
// compared with each meter's own report.
class CentralReportTest : public CentralFixture {
protected:
    void SetUp() override {
        CentralFixture::SetUp();
        if (IsSkipped()) return;
        for (const char* host : {"alpha", "beta"}) {
            const auto data = meters.path() / host;
            std::filesystem::create_directories(data / "config");
            meters.write(std::string(host) + "/config/dev.ini", kTariffs);
            create_log_db((data / "config/log.db").string());
            LogDatabase meter_log((data / "config/log.db").string());
            const bool alpha = std::string(host) == "alpha";
            auto row = [&](const char* id, const char* date, const char* time, const char* device,
                           int32_t seconds, int64_t down, int64_t up) {
                meter_log.insert_connection(
                    LogRow{id, date, time, "local", device, seconds, 100000000, down, up});
            };
            row("a1", "2026-12-01", "09:00", "LAN", alpha ? 3600 : 1234, 1024000, 2048);
            // One start, two rows: the one written last comes first, as in the meter's view.
            row("a0", "2026-12-01", "09:00", "WAN", 5, 1, 1);
            row("a2", "2026-12-01", "18:00", "lan", 1800, alpha ? 5368709120 : 77777, 0);
            row("a3", "2026-12-01", "12:00", "Dial, \"up\"", 90, 500, 700);
            row("a4", "2026-12-02", "23:59", "WAN", 30, 10, 20);
            if (!alpha) row("b5", "2026-12-02", "08:00", "LAN", 61, 999, 1);
            CentralLedger ledger((data / "config/log.db").string());
            push_to_central(ledger, CentralTarget{server->url(std::string("meter_") + host), host},
                            PgDeadline(PgDeadline::clock::now() + std::chrono::seconds(10)));
        }
    }

    std::string report(std::vector<std::string> arguments) {
        const ReportEnvironment environment{DataDirSources{}, LocalTime{2026, 12, 10, 12, 0, 0},
                                            RegionalSettings{}};
        arguments.insert(arguments.end(), {"--from", "2026-12-01", "--to", "2026-12-31"});
        std::ostringstream out, err;
        EXPECT_EQ(run_report(arguments, environment, out, err), 0) << err.str();
        return out.str();
    }
    std::string own(const char* host, const char* view) {
        return report({"--data-dir", (meters.path() / host).string(), view, "--format", "csv"});
    }
    std::string central(const std::string& host, const char* view) {
        std::vector<std::string> arguments{"--data-dir", (meters.path() / "alpha").string(),
                                           "--database", server->url("reader"),
                                           view,         "--format",
                                           "csv"};
        if (!host.empty()) arguments.insert(arguments.end(), {"--host", host});
        return report(arguments);
    }

    static constexpr const char* kTariffs =
        "[LAN]\nTime_cost=1.5\nTime_cost_sat=1\nBw_cost=0.01\nBw_cost_sat=1\nBw_opt=1\n"
        "[Dial, \"up\"]\nTime_cost=2\nTime_cost_sat=0\n";
    TempDir meters;
};

TEST_F(CentralReportTest, OneHostsReportIsItsMetersOwnToTheCent) {
    for (const char* view : {"--connections", "--daily", "--monthly"}) {
        SCOPED_TRACE(view);
        EXPECT_EQ(central("alpha", view), own("alpha", view));
        EXPECT_EQ(central("beta", view), own("beta", view));
    }
}

TEST_F(CentralReportTest, AllHostsCarryAHostColumnAndTheSameFigures) {
    // Each line of a host is its meter's own line with the host before it.
    const std::string all = central("", "--daily");
    std::istringstream lines(all);
    std::string header;
    std::getline(lines, header);
    EXPECT_EQ(header, "host,date,device,connections,time,download,upload,total,cost");
    std::string expected;
    for (const char* host : {"alpha", "beta"}) {
        std::istringstream mine(own(host, "--daily"));
        std::string line;
        std::getline(mine, line);  // header
        while (std::getline(mine, line) && !line.empty()) expected += host + ("," + line) + "\n";
    }
    std::string got;
    for (std::string line; std::getline(lines, line) && !line.empty();) got += line + "\n";
    EXPECT_EQ(got, expected);
    // The summary counts both meters' connections.
    EXPECT_NE(all.find("\n11,"), std::string::npos) << all;
    // The connections view too.
    EXPECT_EQ(central("", "--connections").find("host,"), 0u);
    const std::string text = report({"--data-dir", (meters.path() / "alpha").string(), "--database",
                                     server->url("reader"), "--daily"});
    EXPECT_NE(text.find("Host  "), std::string::npos) << text;
}

TEST_F(CentralReportTest, AnUnreachableOrRefusedLogEndsWithStatusOne) {
    const ReportEnvironment environment{DataDirSources{}, LocalTime{2026, 12, 10, 12, 0, 0},
                                        RegionalSettings{}};
    for (const std::string& url :
         {server->url("reader") + " password=x", server->url("nobody_at_all"),
          std::string("host=/nonexistent port=1 dbname=x")}) {
        SCOPED_TRACE(url);
        std::ostringstream out, err;
        EXPECT_EQ(
            run_report({"--data-dir", meters.str(), "--database", url}, environment, out, err), 1);
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(err.str().find("central log: "), std::string::npos) << err.str();
    }
    std::ostringstream out, err;
    EXPECT_EQ(run_report({"--host", "alpha"}, environment, out, err), 2);
}

}  // namespace
}  // namespace quorvane::test
