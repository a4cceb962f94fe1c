// The real executable, started as a user, a service manager or an installer would start
// it. These tests take the single-instance lock "qvane" and so never run side by side
// (CTest resource lock quorvane_instance).
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <thread>

#include "host/ChildProcess.h"
#include "host/NotifySocket.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Generous bounds that only keep a broken program from hanging the suite.
constexpr auto kPatience = 30s;

int log_rows(const std::string& db_path) {
    sqlite3* db = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*) from log", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            rows = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

// The shortest duration of the log's rows (-1 without rows), after removing them when asked.
int shortest_duration(const std::string& db_path, bool then_clear = false) {
    sqlite3* db = nullptr;
    int shortest = -1;
    if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "select min(Duration) from log", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW &&
            sqlite3_column_type(statement, 0) != SQLITE_NULL) {
            shortest = sqlite3_column_int(statement, 0);
        }
        sqlite3_finalize(statement);
        if (then_clear) sqlite3_exec(db, "delete from log", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    return shortest;
}

// Waits until the log holds more rows than it held before.
bool wait_for_log_rows(const std::string& db_path, int before = 0) {
    auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (log_rows(db_path) > before) return true;
        std::this_thread::sleep_for(200ms);
    }
    return false;
}

// A provisioned data directory that the user store names, a working directory apart from
// it, and an environment without a display.
class QuorvaneProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(fs::exists("/etc/quorvane/registry.ini"))
            << "this machine's store /etc/quorvane/registry.ini would take precedence";
        provision_data_dir(data_dir());
        dir.write("xdg/quorvane/registry.ini",
                  "[Software\\pwktdd]\nCurrentDir=" + data_dir() + "\n");
        fs::create_directories(dir.path() / "home");
        fs::create_directories(dir.path() / "work");
        fs::create_directories(dir.path() / "runtime");
        fs::permissions(dir.path() / "runtime", fs::perms::owner_all);
        fs::create_directories(dir.path() / "units");
    }
    std::string data_dir() const { return dir.str() + "/data"; }
    std::string unit_dir() const { return dir.str() + "/units"; }
    ChildProcess::Environment environment() const {
        return {{"DISPLAY", std::nullopt},
                {"WAYLAND_DISPLAY", std::nullopt},
                {"QT_QPA_PLATFORM", std::nullopt},
                {"NOTIFY_SOCKET", std::nullopt},
                {"XDG_CONFIG_HOME", dir.str() + "/xdg"},
                {"XDG_RUNTIME_DIR", dir.str() + "/runtime"},
                {"HOME", dir.str() + "/home"},
                {"QUORVANE_UNIT_DIR", unit_dir()}};
    }
    std::unique_ptr<ChildProcess> start(std::vector<std::string> arguments,
                                        ChildProcess::Environment changes = {}) {
        arguments.insert(arguments.begin(), QUORVANE_EXECUTABLE);
        auto env = environment();
        for (auto& [name, value] : changes) env[name] = value;
        return std::make_unique<ChildProcess>(arguments, env, dir.str() + "/work", dir.str());
    }
    // Runs to the end and returns the exit code.
    int run(std::vector<std::string> arguments, std::string* err = nullptr) {
        auto child = start(std::move(arguments));
        auto code = child->wait(kPatience);
        if (err) *err = child->err();
        return code.value_or(-1);
    }

    TempDir dir;
};

TEST_F(QuorvaneProcess, DesktopRunIsTheSingleInstanceLogsAndEndsInOrderOnAStopSignal) {
    const auto running_line = "data directory: " + data_dir();
    const auto db = data_dir() + "/config/log.db";
    for (int stop : {SIGTERM, SIGINT}) {
        const int rows_before = log_rows(db);
        auto first = start({});
        ASSERT_TRUE(first->wait_for_err(running_line, kPatience))
            << "the first instance did not come up (is another quorvane running?)\n"
            << first->err();
        EXPECT_NE(first->err().find("offscreen"), std::string::npos) << first->err();

        std::string second_err;
        EXPECT_EQ(run({}, &second_err), 0) << "a second instance ends at once, with code 0";
        EXPECT_EQ(second_err.find("quorvane"), std::string::npos) << second_err;

        EXPECT_TRUE(wait_for_log_rows(db, rows_before))
            << "the desktop run logs this machine's connections";

        first->send_signal(stop);
        EXPECT_EQ(first->wait(kPatience), 0) << "signal " << stop << "\n" << first->err();
    }
}

// However the program stops, each open connection's row gets its last figures: inserted
// with duration 0 on its first tick, it shows the seconds it was online once the program
// has ended, long before a scheduled rewrite (tick 30) would have come.
TEST_F(QuorvaneProcess, EveryStopWritesTheLastFiguresOfTheOpenConnections) {
    struct Stop {
        const char* what;
        bool service;
        int signal;
    };
    const auto db = data_dir() + "/config/log.db";
    for (const Stop& stop :
         {Stop{"desktop, SIGTERM", false, SIGTERM}, Stop{"desktop, SIGINT", false, SIGINT},
          Stop{"service stopped by its manager", true, SIGTERM}}) {
        SCOPED_TRACE(stop.what);
        shortest_duration(db, true);
        std::optional<NotifySocket> manager;
        ChildProcess::Environment changes;
        if (stop.service) {
            manager.emplace(dir.str() + "/notify");
            changes["NOTIFY_SOCKET"] = manager->path();
        }
        auto program = start({}, changes);
        ASSERT_TRUE(wait_for_log_rows(db)) << program->err();
        ASSERT_EQ(shortest_duration(db), 0) << "rows are inserted with duration 0";
        // A few ticks online.
        std::this_thread::sleep_for(3s);
        program->send_signal(stop.signal);
        EXPECT_EQ(program->wait(kPatience), 0) << program->err();
        EXPECT_GT(shortest_duration(db), 0);
    }
}

TEST_F(QuorvaneProcess, InstallingTakesNoLockAndWorksBesideARunningInstance) {
    auto first = start({});
    ASSERT_TRUE(first->wait_for_err("data directory: ", kPatience)) << first->err();

    EXPECT_EQ(run({"-install", "-silent"}), 0);
    EXPECT_TRUE(fs::exists(unit_dir() + "/QVANESVC.service"));

    first->send_signal(SIGTERM);
    EXPECT_EQ(first->wait(kPatience), 0);
}

TEST_F(QuorvaneProcess, ServiceRunUnderAFakeServiceManager) {
    NotifySocket manager(dir.str() + "/notify");
    auto service = start({}, {{"NOTIFY_SOCKET", manager.path()}});

    std::vector<std::string> messages;
    auto next = [&]() -> std::string {
        auto message = manager.receive(kPatience);
        if (message) messages.push_back(*message);
        return message.value_or("<none: " + service->err() + ">");
    };
    auto first = next();
    EXPECT_EQ(first.rfind("STATUS=Start pending", 0), 0u) << first;
    EXPECT_NE(first.find("EXTEND_TIMEOUT_USEC=10000000"), std::string::npos) << first;
    std::string message = next();
    while (message.rfind("STATUS=Start pending", 0) == 0) message = next();
    EXPECT_EQ(message, "READY=1\nSTATUS=Running") << "running only after the start pending";

    EXPECT_TRUE(wait_for_log_rows(data_dir() + "/config/log.db"))
        << "the service logs this machine's connections\n"
        << service->err();

    service->send_signal(SIGTERM);
    auto stopping = next();
    EXPECT_EQ(stopping.rfind("STOPPING=1\nSTATUS=Stop pending", 0), 0u) << stopping;
    EXPECT_EQ(next(), "STATUS=Stopped");
    EXPECT_EQ(service->wait(kPatience), 0) << service->err();
    EXPECT_NE(service->err().find("data directory: " + data_dir()), std::string::npos);
}

TEST_F(QuorvaneProcess, InstallAndUninstallIntoATemporaryUnitDirectory) {
    const std::string unit = unit_dir() + "/QVANESVC.service";
    const std::string link = unit_dir() + "/multi-user.target.wants/QVANESVC.service";
    std::string err;

    EXPECT_EQ(run({"-install"}, &err), 0);
    EXPECT_EQ(err, "Information: Service installed successfully\nUnit file: " + unit +
                       "\nStart it with: systemctl start QVANESVC\n");
    ASSERT_TRUE(fs::exists(unit));
    EXPECT_EQ(fs::read_symlink(link), unit);
    std::string text = dir.read("units/QVANESVC.service");
    EXPECT_NE(text.find(std::string("\nExecStart=") + QUORVANE_EXECUTABLE + "\n"),
              std::string::npos)
        << text;
    if (std::system("command -v systemd-analyze >/dev/null 2>&1") == 0) {
        auto verify = "systemd-analyze verify '" + unit + "'";
        EXPECT_EQ(std::system(verify.c_str()), 0) << verify;
    }

    EXPECT_EQ(run({"/INSTALL"}, &err), 1);
    EXPECT_EQ(err,
              "Error: Service \"Quorvane server edition\" failed to install with error: "
              "\"The service unit " +
                  unit + " exists already\"\n");

    EXPECT_EQ(run({"\\Uninstall", "-SILENT"}, &err), 0);
    EXPECT_EQ(err, "") << "SILENT hides the success";
    EXPECT_FALSE(fs::exists(unit));
    EXPECT_FALSE(fs::is_symlink(link));

    EXPECT_EQ(run({"-uninstall", "-silent"}, &err), 1);
    EXPECT_EQ(err,
              "Error: Service \"Quorvane server edition\" failed to uninstall with error: "
              "\"The service unit " +
                  unit + " is not installed\"\n")
        << "SILENT never hides an error";
}

TEST_F(QuorvaneProcess, AnUnreachableUnitDirectoryEndsWithANonZeroCode) {
    auto child = start({"-install"}, {{"QUORVANE_UNIT_DIR", dir.str() + "/no-such-dir"}});
    auto code = child->wait(kPatience);
    ASSERT_TRUE(code.has_value());
    EXPECT_NE(*code, 0);
    EXPECT_NE(child->err().find("Error: Cannot reach the service manager"), std::string::npos)
        << child->err();
}

}  // namespace
}  // namespace quorvane::test
