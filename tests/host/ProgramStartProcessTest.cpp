// The real executable asked for its usage or version, and started over a data directory
// without a log database. These take the lock "qvane" (CTest resource lock
// quorvane_instance) when they run the program.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "host/ChildProcess.h"
#include "host/ProgramEnvironment.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kPatience = 30s;

// A data directory the user store names (provisioned or not), without a display.
class ProgramStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(fs::exists("/etc/quorvane/registry.ini"))
            << "this machine's store /etc/quorvane/registry.ini would take precedence";
        dir.write("xdg/quorvane/registry.ini",
                  "[Software\\pwktdd]\nCurrentDir=" + data_dir() + "\n");
        for (const char* sub : {"work", "data/config"}) fs::create_directories(dir.path() / sub);
    }
    std::string data_dir() const { return dir.str() + "/data"; }
    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), QUORVANE_EXECUTABLE);
        return std::make_unique<ChildProcess>(arguments, program_environment(dir.path()),
                                              dir.str() + "/work", dir.str());
    }

    TempDir dir;
};

// Usage and version come even while another instance holds the lock (they never ask for
// it), and nothing of the program starts: no window, no file in the data directory.
TEST_F(ProgramStart, HelpAndVersionPrintAndEndWithoutTheLock) {
    provision_data_dir(data_dir());
    auto running = start({});
    ASSERT_TRUE(running->wait_for_err("data directory: " + data_dir(), kPatience))
        << "the first instance did not come up (is another quorvane running?)\n"
        << running->err();

    struct Case {
        const char* argument;
        const char* starts;
    };
    for (const Case& c : {Case{"--help", "Usage: quorvane [-install | -uninstall] [-silent]\n"},
                          Case{"-h", "Usage: quorvane [-install | -uninstall] [-silent]\n"},
                          Case{"--version", "quorvane "}}) {
        auto child = start({c.argument});
        EXPECT_EQ(child->wait(kPatience), 0) << c.argument;
        EXPECT_EQ(child->err(), "") << c.argument;
        EXPECT_EQ(child->out().rfind(c.starts, 0), 0u) << c.argument << ": " << child->out();
    }
    running->send_signal(SIGTERM);
    EXPECT_EQ(running->wait(kPatience), 0);

    // The help names every switch as the program accepts it.
    auto help = start({"--help"});
    ASSERT_EQ(help->wait(kPatience), 0);
    const auto text = help->out();
    for (const char* word : {"-install", "-uninstall", "-silent", "/etc/quorvane/registry.ini",
                             "quorvane/registry.ini", "$XDG_DATA_HOME/quorvane"})
        EXPECT_NE(text.find(word), std::string::npos) << word;

    // No lock left behind: a meter starts at once.
    auto next = start({});
    EXPECT_TRUE(next->wait_for_err("data directory: " + data_dir(), kPatience)) << next->err();
    next->send_signal(SIGTERM);
    EXPECT_EQ(next->wait(kPatience), 0);
}

// A data directory without config/log.db is said at start; the program runs on and uses
// the database from the first tick after it was provisioned.
TEST_F(ProgramStart, AMissingLogDatabaseIsSaidAtStartAndUsedOnceProvided) {
    auto child = start({});
    const std::string line = "quorvane: no log database in the data directory " + data_dir() +
                             " (" + data_dir() + "/config/log.db is missing)";
    ASSERT_TRUE(child->wait_for_err(line, kPatience)) << child->err();
    EXPECT_FALSE(fs::exists(data_dir() + "/config/log.db")) << "never created by the program";

    provision_data_dir(data_dir());
    LogDatabase log(data_dir() + "/config/log.db");
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    size_t rows = 0;
    while (rows == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(200ms);
        rows = log.read_filtered(LogFilter{}).size();
    }
    EXPECT_GT(rows, 0u) << "the provisioned database is used\n" << child->err();
    child->send_signal(SIGTERM);
    EXPECT_EQ(child->wait(kPatience), 0) << child->err();
}

// The unit runs the service unprivileged in its own state directory; the user's store is
// not the service's (its user has none), so it opens no other directory. A unit directory
// that is missing is named in the error.
TEST_F(ProgramStart, InstallGivesTheHardenedServiceItsStateDirectory) {
    fs::create_directories(dir.path() / "units");
    auto install = start({"-install", "-silent"});
    ASSERT_EQ(install->wait(kPatience), 0) << install->err();
    const auto unit = dir.read("units/QVANESVC.service");
    EXPECT_NE(unit.find("\nStateDirectory=quorvane\n"), std::string::npos) << unit;
    EXPECT_EQ(unit.find("\nReadWritePaths="), std::string::npos) << unit;
    EXPECT_NE(unit.find("\nProtectSystem=strict\n"), std::string::npos) << unit;

    fs::remove_all(dir.path() / "units");
    auto missing = start({"-install"});
    EXPECT_NE(missing->wait(kPatience).value_or(0), 0);
    EXPECT_NE(missing->err().find("unit directory " + dir.str() + "/units"), std::string::npos)
        << missing->err();
}

}  // namespace
}  // namespace quorvane::test
