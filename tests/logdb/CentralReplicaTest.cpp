#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "logdb/CentralError.h"
#include "logdb/CentralFixture.h"
#include "logdb/CentralReplica.h"

namespace quorvane::test {
namespace {

using namespace std::chrono_literals;

// What a replica reports, and the settings a test changes while it runs.
struct ReplicaProbe {
    std::mutex mutex;
    std::vector<std::string> reports;
    std::optional<CentralTarget> target;

    CentralReplica::Settings settings() {
        return [this] {
            std::lock_guard lock(mutex);
            return target;
        };
    }
    CentralReplica::Report report() {
        return [this](const std::string& message) {
            std::lock_guard lock(mutex);
            reports.push_back(message);
        };
    }
    void set(std::optional<CentralTarget> next) {
        std::lock_guard lock(mutex);
        target = std::move(next);
    }
    std::vector<std::string> said() {
        std::lock_guard lock(mutex);
        return reports;
    }
};

CentralReplica::Timing quick() {
    CentralReplica::Timing timing;
    timing.interval = 100ms;
    timing.first_retry = 20ms;
    timing.longest_retry = 80ms;
    timing.push_timeout = 5s;
    timing.settings_check = 20ms;
    return timing;
}

template <class Condition>
bool eventually(Condition condition, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

using CentralReplicaTest = CentralFixture;

TEST_F(CentralReplicaTest, AWrongPasswordIsSaidOnceWhileLoggingGoesOn) {
    server->set_password("meter_alpha", "wrong");
    ReplicaProbe probe;
    probe.set(alpha());
    CentralReplica replica(log_path(), probe.settings(), probe.report(), quick());
    replica.start();
    for (int i = 0; i < 20; ++i) {
        log->insert_connection(
            LogRow{"9-" + std::to_string(i), "2024-04-01", "08:00", "local", "LAN", i, 0, i, i});
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(eventually([&] { return replica.failures() >= 5; }));
    const auto said = probe.said();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("password authentication failed"), std::string::npos) << said[0];
    EXPECT_EQ(local_rows().size(), 20u);
    EXPECT_EQ(replica.problem(), said[0]) << "what the main window's error line shows";

    server->set_password("meter_alpha", "meter_alpha-pw");
    EXPECT_TRUE(eventually([&] { return central_rows("alpha") == local_rows(); }));
    EXPECT_TRUE(eventually([&] { return replica.problem().empty(); }))
        << "a push that works clears the line";
    replica.stop();
    EXPECT_EQ(probe.said().size(), 1u);
}

TEST_F(CentralReplicaTest, SettingsArePickedUpWithoutARestart) {
    ReplicaProbe probe;
    CentralReplica replica(log_path(), probe.settings(), probe.report(), quick());
    replica.start();
    log->insert_connection(LogRow{"1-1", "2024-04-02", "08:00", "local", "LAN", 1, 0, 1, 1});
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(server->query("SELECT count(*) FROM log"), "0");  // no section, no replication

    probe.set(CentralTarget{alpha().url + " password=meter_alpha-pw", "alpha"});
    ASSERT_TRUE(eventually([&] { return !probe.said().empty(); }));
    EXPECT_NE(probe.said()[0].find("holds a password"), std::string::npos) << probe.said()[0];

    probe.set(alpha());
    EXPECT_TRUE(eventually([&] { return central_rows("alpha") == local_rows(); }));
    log->update_connection("1-1", 40, 400, 4000);
    EXPECT_TRUE(eventually([&] { return central_rows("alpha") == local_rows(); }));
    replica.stop();
    EXPECT_EQ(probe.said().size(), 1u);
}

TEST_F(CentralReplicaTest, StopPushesWhatTheLastTickWrote) {
    ReplicaProbe probe;
    probe.set(alpha());
    auto timing = quick();
    timing.interval = 1h;
    CentralReplica replica(log_path(), probe.settings(), probe.report(), timing);
    replica.start();
    ASSERT_TRUE(eventually([&] { return replica.pushes() >= 1; }));
    log->insert_connection(LogRow{"1-2", "2024-04-03", "08:00", "local", "LAN", 7, 0, 8, 9});
    replica.stop();
    EXPECT_EQ(central_rows("alpha"), local_rows());
}

// Each failed push waits twice as long as the one before, up to the longest wait.
TEST(CentralReplicaRetry, TheWaitGrowsUpToItsLongest) {
    TempDir dir;  // no log file in it: every push fails at once
    std::mutex mutex;
    std::vector<std::chrono::steady_clock::time_point> tries;
    auto settings = [&]() -> std::optional<CentralTarget> {
        std::lock_guard lock(mutex);
        tries.push_back(std::chrono::steady_clock::now());
        return CentralTarget{"host=/nonexistent dbname=q", "alpha"};
    };
    std::vector<std::string> said;
    auto timing = quick();
    timing.first_retry = 50ms;
    timing.longest_retry = 200ms;
    timing.settings_check = 1h;  // the settings are read by the pushes alone
    CentralReplica replica(
        dir.str() + "/missing.db", settings,
        [&](const std::string& message) { said.push_back(message); }, timing);
    replica.start();
    // Uncapped, the tenth try would come after more than 25 s.
    ASSERT_TRUE(eventually(
        [&] {
            std::lock_guard lock(mutex);
            return tries.size() >= 10;
        },
        5s));
    replica.stop();
    std::lock_guard lock(mutex);
    const std::chrono::milliseconds least[] = {50ms, 100ms, 200ms, 200ms, 200ms};
    for (size_t i = 0; i < std::size(least); ++i) {
        EXPECT_GE(tries[i + 1] - tries[i], least[i]) << "wait " << i;
    }
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("missing.db"), std::string::npos) << said[0];
}

// A server that takes connections and never answers: stop() must still end within its second.
TEST(CentralReplicaStop, TheLastPushNeverHoldsTheStopPastItsSecond) {
    TempDir dir;
    create_log_db(dir.str() + "/log.db");
    LogDatabase(dir.str() + "/log.db")
        .insert_connection(LogRow{"1-1", "2024-04-04", "08:00", "local", "LAN", 1, 0, 1, 1});
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dir.str() + "/.s.PGSQL.5999";
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 16), 0);

    ReplicaProbe probe;
    probe.set(CentralTarget{"host=" + dir.str() + " port=5999 dbname=q user=u", "alpha"});
    auto timing = quick();
    timing.push_timeout = 1h;  // only the stop ends the wait
    CentralReplica replica(dir.str() + "/log.db", probe.settings(), probe.report(), timing);
    replica.start();
    std::this_thread::sleep_for(300ms);  // the push is waiting for the silent server
    const auto began = std::chrono::steady_clock::now();
    replica.stop();
    const auto took = std::chrono::steady_clock::now() - began;
    EXPECT_LT(took, 1200ms);
    EXPECT_EQ(replica.pushes(), 0u);
    ::close(listener);
}

}  // namespace
}  // namespace quorvane::test
