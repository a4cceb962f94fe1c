// quorvane-report taken again and again while the real program logs this machine's
// connections into the same file (write-ahead log): every report succeeds and parses, and
// the program goes on logging and ends normally.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <QJsonDocument>
#include <QJsonObject>

#include "host/ChildProcess.h"
#include "host/ProgramEnvironment.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(ReportWhileLogging, EveryReportSucceedsWhileTheProgramWrites) {
    ASSERT_FALSE(fs::exists("/etc/quorvane/registry.ini"))
        << "this machine's store /etc/quorvane/registry.ini would take precedence";
    TempDir dir;
    const std::string data = dir.str() + "/data";
    provision_data_dir(data);
    dir.write("xdg/quorvane/registry.ini", "[Software\\pwktdd]\nCurrentDir=" + data + "\n");
    auto environment = program_environment(dir.path());
    environment["LC_ALL"] = "C";

    ChildProcess program({QUORVANE_EXECUTABLE}, environment, dir.str(), dir.str());
    ASSERT_TRUE(program.wait_for_err("data directory: " + data, 30s))
        << "the program did not come up (is another quorvane running?)\n"
        << program.err();

    // The report finds the data directory through the same user store.
    int connections = 0;
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    for (int round = 0; round < 40 && std::chrono::steady_clock::now() < deadline; ++round) {
        ChildProcess report({QUORVANE_REPORT_EXECUTABLE, "--connections", "--format", "json",
                             "--from", "2000-01-01", "--to", "2100-12-31"},
                            environment, dir.str(), dir.str());
        ASSERT_EQ(report.wait(30s), 0) << "round " << round << ": " << report.err();
        QJsonParseError error{};
        auto json = QJsonDocument::fromJson(QByteArray::fromStdString(report.out()), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << report.out();
        EXPECT_EQ(json.object()["data_dir"].toString().toStdString(), data);
        connections = json.object()["summary"].toObject()["connections"].toInt();
        if (connections > 0 && round >= 10) break;
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_GT(connections, 0) << "the program logged this machine's connections\n" << program.err();

    program.send_signal(SIGTERM);
    EXPECT_EQ(program.wait(30s), 0) << program.err();
    EXPECT_EQ(program.err().find("database is locked"), std::string::npos) << program.err();
}

}  // namespace
}  // namespace quorvane::test
