// The real executable as users meet it: a new user's first start with no settings, two
// users at once, a second start on the same data directory, and a stop while a display is
// up. Run inside a network namespace of the test run's own (the logged device is its
// loopback interface).
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <thread>

#include "host/ChildProcess.h"
#include "host/ProgramEnvironment.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kPatience = 30s;

// The rows of a log and the shortest duration among them (-1 without rows).
struct LogState {
    int rows = -1;
    int shortest = -1;
};

LogState log_state(const std::string& db_path) {
    LogState state;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(db_path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "select count(*), coalesce(min(Duration), -1) from log", -1,
                               &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            state.rows = sqlite3_column_int(statement, 0);
            state.shortest = sqlite3_column_int(statement, 1);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return state;
}

bool wait_for_rows(const std::string& db_path, std::chrono::milliseconds patience = kPatience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (log_state(db_path).rows > 0) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

bool command_exists(const char* name) {
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// A home of its own per user, below the test's folder, without any setting.
class UserStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(fs::exists("/etc/quorvane/registry.ini"))
            << "this machine's store /etc/quorvane/registry.ini would take precedence";
        fs::permissions(dir.path(),
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
    std::string home(const std::string& user) const { return dir.str() + "/" + user; }
    std::string data_dir(const std::string& user) const {
        return home(user) + "/home/.local/share/quorvane";
    }
    // The environment of `user`, whose settings and data are the defaults below its home.
    ChildProcess::Environment environment(const std::string& user) {
        auto env = program_environment(home(user));
        env["XDG_CONFIG_HOME"] = std::nullopt;
        env["XDG_DATA_HOME"] = std::nullopt;
        env["STATE_DIRECTORY"] = std::nullopt;
        return env;
    }
    // Starts a program as `user`; a uid other than 0 runs it under that uid (root only).
    std::unique_ptr<ChildProcess> start(const std::string& user, std::vector<std::string> argv,
                                        uid_t uid = 0,
                                        const ChildProcess::Environment& changes = {}) {
        auto env = environment(user);
        for (const auto& [name, value] : changes) env[name] = value;
        if (uid != 0) {
            for (const auto& entry : fs::recursive_directory_iterator(home(user))) {
                [[maybe_unused]] int r = ::lchown(entry.path().c_str(), uid, uid);
            }
            [[maybe_unused]] int r = ::chown(home(user).c_str(), uid, uid);
            argv.insert(argv.begin(), {"/usr/bin/setpriv", "--reuid=" + std::to_string(uid),
                                       "--regid=" + std::to_string(uid), "--clear-groups"});
        }
        return std::make_unique<ChildProcess>(argv, env, home(user), dir.str());
    }

    TempDir dir;
};

TEST_F(UserStart, ANewUsersFirstStartMakesTheDataDirectoryAndLogsWhatTheReportShows) {
    auto program = start("new", {QUORVANE_EXECUTABLE});
    const auto db = data_dir("new") + "/config/log.db";
    ASSERT_TRUE(wait_for_rows(db)) << "the loopback's connection is logged\n" << program->err();
    for (const char* file : {"config/tip.cfg", "config/dev.ini", "qvane help/qvane.html"}) {
        EXPECT_TRUE(fs::is_regular_file(data_dir("new") + "/" + file)) << file;
    }
    EXPECT_NE(program->err().find("data directory: " + data_dir("new")), std::string::npos)
        << program->err();

    auto report = start("new", {QUORVANE_REPORT_EXECUTABLE, "--connections", "--format", "json"});
    ASSERT_EQ(report->wait(kPatience), 0) << report->err();
    EXPECT_EQ(report->out().rfind("{\"data_dir\": \"" + data_dir("new") + "\"", 0), 0u)
        << report->out();
    EXPECT_EQ(report->out().find("\"rows\": []"), std::string::npos) << report->out();

    program->send_signal(SIGTERM);
    EXPECT_EQ(program->wait(kPatience), 0) << program->err();
}

TEST_F(UserStart, TwoUsersEachRunTheirOwnLogger) {
    if (::geteuid() != 0 || !command_exists("setpriv")) GTEST_SKIP() << "needs root and setpriv";
    for (const char* user : {"ann", "bob"}) fs::create_directories(home(user));
    auto ann = start("ann", {QUORVANE_EXECUTABLE}, 64001);
    auto bob = start("bob", {QUORVANE_EXECUTABLE}, 64002);
    EXPECT_TRUE(wait_for_rows(data_dir("ann") + "/config/log.db")) << ann->err();
    EXPECT_TRUE(wait_for_rows(data_dir("bob") + "/config/log.db")) << bob->err();
    struct stat info {};
    ASSERT_EQ(::stat((data_dir("bob") + "/config/log.db").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 64002u) << "made by its user";
    for (auto* program : {ann.get(), bob.get()}) {
        program->send_signal(SIGTERM);
        EXPECT_EQ(program->wait(kPatience), 0) << program->err();
    }
}

// The service as its unit runs it: a system user in group adm with umask 0027, its data
// directory the state directory systemd made (mode 0750, the user's, group adm) and named in
// $STATE_DIRECTORY. An administrator (group adm) reads its log; another user does not.
TEST_F(UserStart, TheServicesLogIsReadByGroupAdmAndNobodyElse) {
    if (::geteuid() != 0 || !command_exists("setpriv")) GTEST_SKIP() << "needs root and setpriv";
    constexpr uid_t kService = 64010, kAdmin = 64011, kOther = 64012;
    constexpr gid_t kAdm = 4;
    const std::string state = dir.str() + "/state";
    fs::create_directories(state);
    ASSERT_EQ(::chown(state.c_str(), kService, kAdm), 0);
    ASSERT_EQ(::chmod(state.c_str(), 0750), 0);
    fs::create_directories(home("svc"));
    const auto as = [](uid_t uid, gid_t gid, const std::string& groups) {
        return std::vector<std::string>{"/usr/bin/setpriv",
                                        "--reuid=" + std::to_string(uid),
                                        "--regid=" + std::to_string(gid),
                                        groups.empty() ? "--clear-groups" : "--groups=" + groups,
                                        "/bin/sh",
                                        "-c",
                                        "umask 027; exec \"$0\" \"$@\""};
    };
    auto argv = as(kService, kAdm, "");
    argv.push_back(QUORVANE_EXECUTABLE);
    auto service =
        std::make_unique<ChildProcess>(argv,
                                       ChildProcess::Environment{{"STATE_DIRECTORY", state},
                                                                 {"HOME", "/nonexistent"},
                                                                 {"DISPLAY", std::nullopt},
                                                                 {"NOTIFY_SOCKET", std::nullopt},
                                                                 {"XDG_CONFIG_HOME", std::nullopt},
                                                                 {"XDG_DATA_HOME", std::nullopt}},
                                       "/", dir.str());
    ASSERT_TRUE(wait_for_rows(state + "/config/log.db")) << service->err();
    struct stat log {};
    ASSERT_EQ(::stat((state + "/config/log.db").c_str(), &log), 0);
    EXPECT_EQ(log.st_mode & 0777, 0640u);
    EXPECT_EQ(log.st_gid, kAdm);

    const auto report = [&](uid_t uid, const std::string& groups) {
        auto command = as(uid, uid, groups);
        command.insert(command.end(), {QUORVANE_REPORT_EXECUTABLE, "--data-dir", state,
                                       "--connections", "--format", "csv"});
        auto child =
            std::make_unique<ChildProcess>(command, ChildProcess::Environment{}, "/", dir.str());
        child->wait(kPatience);
        return child;
    };
    auto admin = report(kAdmin, std::to_string(kAdm));
    EXPECT_EQ(admin->wait(1s), 0) << admin->err();
    EXPECT_NE(admin->out().find(",lo,"), std::string::npos) << admin->out();
    auto other = report(kOther, "");
    EXPECT_EQ(other->wait(1s), 1) << other->out();

    service->send_signal(SIGTERM);
    EXPECT_EQ(service->wait(kPatience), 0) << service->err();
}

// A display of the test's own, with a window manager-less X server.
class XServer {
public:
    explicit XServer(const std::string& out_dir) {
        m_number = 3000 + static_cast<int>(::getpid() % 2000);
        m_display = ":" + std::to_string(m_number);
        m_server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"/usr/bin/Xvfb", m_display, "-screen", "0", "1024x768x24",
                                     "-nolisten", "tcp"},
            ChildProcess::Environment{}, "/", out_dir);
        const auto socket = "/tmp/.X11-unix/X" + std::to_string(m_number);
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!fs::exists(socket) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
        }
    }
    ~XServer() { stop(); }
    // Ends the server, as the end of a desktop session does.
    void stop() {
        m_server->send_signal(SIGTERM);
        m_server->wait(5s);
    }
    const std::string& display() const { return m_display; }
    // Whether a visible top-level window has exactly that title.
    bool shows(const std::string& title) const {
        const auto command = "DISPLAY=" + m_display + " xdotool search --onlyvisible --name '^" +
                             title + "$' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

private:
    int m_number = 0;
    std::string m_display;
    std::unique_ptr<ChildProcess> m_server;
};

bool wait_until(const std::function<bool()>& condition, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

TEST_F(UserStart, ASecondStartShowsTheFirstOnesWindowAndEnds) {
    if (!command_exists("Xvfb") || !command_exists("xdotool"))
        GTEST_SKIP() << "needs Xvfb, xdotool";
    XServer x(dir.str());
    // Started minimised: the window stays in the tray until something shows it.
    fs::create_directories(data_dir("min") + "/config");
    std::ofstream(data_dir("min") + "/config/config.ini") << "[general]\nstartminimized=1\n";
    auto first = start("min", {QUORVANE_EXECUTABLE}, 0, {{"DISPLAY", x.display()}});
    ASSERT_TRUE(wait_for_rows(data_dir("min") + "/config/log.db")) << first->err();
    EXPECT_FALSE(x.shows("Quorvane")) << "minimised at start";

    auto second = start("min", {QUORVANE_EXECUTABLE}, 0, {{"DISPLAY", x.display()}});
    EXPECT_EQ(second->wait(kPatience), 0) << second->err();
    EXPECT_TRUE(wait_until([&] { return x.shows("Quorvane"); }, 10s))
        << "the first one's window is shown\n"
        << first->err();
    first->send_signal(SIGTERM);
    EXPECT_EQ(first->wait(kPatience), 0) << first->err();
}

// Clicks at a point of the main window (its top left corner is 0, 0).
void click_in_main_window(const XServer& x, int dx, int dy) {
    const auto command = "DISPLAY=" + x.display() +
                         " xdotool search --onlyvisible --name '^Quorvane$' "
                         "getwindowgeometry --shell 2>/dev/null | sed -n 's/^[XY]=//p'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    int left = 0, top = 0;
    if (!pipe || std::fscanf(pipe.get(), "%d %d", &left, &top) != 2) return;
    const auto click = "DISPLAY=" + x.display() + " xdotool mousemove " +
                       std::to_string(left + dx) + " " + std::to_string(top + dy) + " click 1";
    [[maybe_unused]] int r = std::system(click.c_str());
}

struct OpenWindowCase {
    const char* name;
    std::vector<std::pair<int, int>> clicks;  // in the main window, in order
    const char* title;                        // of the window they open
};

class StopWithAWindowOpen : public UserStart,
                            public ::testing::WithParamInterface<OpenWindowCase> {};

// SIGTERM while the configuration dialog or the export's save dialog is open: the program
// ends at once, with the last figures written.
TEST_P(StopWithAWindowOpen, SigtermEndsTheProgramWithTheLastFigures) {
    if (!command_exists("Xvfb") || !command_exists("xdotool"))
        GTEST_SKIP() << "needs Xvfb, xdotool";
    XServer x(dir.str());
    fs::create_directories(home("open"));
    auto program = start("open", {QUORVANE_EXECUTABLE}, 0, {{"DISPLAY", x.display()}});
    const auto db = data_dir("open") + "/config/log.db";
    ASSERT_TRUE(wait_for_rows(db)) << program->err();
    ASSERT_TRUE(wait_until([&] { return x.shows("Quorvane"); }, 10s));
    for (const auto& [dx, dy] : GetParam().clicks) {
        click_in_main_window(x, dx, dy);
        std::this_thread::sleep_for(500ms);
    }
    ASSERT_TRUE(wait_until([&] { return x.shows(GetParam().title); }, 10s))
        << GetParam().title << " did not open";
    std::this_thread::sleep_for(1s);
    const auto stop = std::chrono::steady_clock::now();
    program->send_signal(SIGTERM);
    EXPECT_EQ(program->wait(kPatience), 0) << program->err();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - stop);
    std::cout << GetParam().name << ": ended " << took.count() << " ms after SIGTERM\n";
    EXPECT_GT(log_state(db).shortest, 0) << "the last figures were written";
}

INSTANTIATE_TEST_SUITE_P(Windows, StopWithAWindowOpen,
                         ::testing::Values(
                             // The toolbar's Configure.
                             OpenWindowCase{"ConfigurationDialog", {{44, 26}}, "Configuration"},
                             // "From database", then the log filter's export.
                             OpenWindowCase{"SaveDialog", {{292, 305}, {633, 370}}, "Save As"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Started on a display with the tip of the day asked for and no tips to show: no box holds
// the start up, and a stop is obeyed at once with the last figures written.
TEST_F(UserStart, AStopOnADisplayWithNoTipsEndsAtOnceWithTheLastFigures) {
    if (!command_exists("Xvfb") || !command_exists("xdotool"))
        GTEST_SKIP() << "needs Xvfb, xdotool";
    XServer x(dir.str());
    fs::create_directories(data_dir("tips") + "/config/tip.cfg");  // a folder: unreadable
    std::ofstream(data_dir("tips") + "/config/config.ini") << "[general]\ntipoftheday=1\n";
    auto program = start("tips", {QUORVANE_EXECUTABLE}, 0, {{"DISPLAY", x.display()}});
    const auto db = data_dir("tips") + "/config/log.db";
    ASSERT_TRUE(wait_for_rows(db)) << program->err();
    EXPECT_TRUE(wait_until([&] { return x.shows("Tip of the day"); }, 10s))
        << "the tip window opens and says that there are no tips";
    EXPECT_FALSE(x.shows("Quorvane.*Error|Error")) << "no error box";
    std::this_thread::sleep_for(2s);
    const auto stop = std::chrono::steady_clock::now();
    program->send_signal(SIGTERM);
    EXPECT_EQ(program->wait(kPatience), 0) << program->err();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - stop);
    std::cout << "ended " << took.count() << " ms after SIGTERM\n";
    EXPECT_GT(log_state(db).shortest, 0) << "the last figures were written";
}

// The session ends and takes the display with it: the program ends and the open
// connections' last figures are in the log.
TEST_F(UserStart, TheDisplayGoingAwayEndsTheProgramWithTheLastFigures) {
    if (!command_exists("Xvfb")) GTEST_SKIP() << "needs Xvfb";
    XServer x(dir.str());
    fs::create_directories(home("gone"));
    auto program = start("gone", {QUORVANE_EXECUTABLE}, 0, {{"DISPLAY", x.display()}});
    const auto db = data_dir("gone") + "/config/log.db";
    ASSERT_TRUE(wait_for_rows(db)) << program->err();
    std::this_thread::sleep_for(2s);
    x.stop();
    // Ended by the toolkit when it notices, or by the session's stop signal that follows.
    if (!program->wait(3s)) program->send_signal(SIGTERM);
    EXPECT_TRUE(program->wait(kPatience).has_value()) << program->err();
    EXPECT_GT(log_state(db).shortest, 0) << "the last figures were written\n" << program->err();
}

}  // namespace
}  // namespace quorvane::test
