// A data directory without its log database: said once in the system log at start, naming
// the directory and the file, and the program still runs.
#include <filesystem>

#include "host/HostFixture.h"

namespace quorvane::test {
namespace {

using MissingLog = HostFixture;

TEST_F(MissingLog, IsOneEventAtStartAndTheServiceStillRuns) {
    std::filesystem::remove(data_dir() + "/config/log.db");
    auto& app = make_application();
    manager.controls_when_running = {kServiceControlStop};
    auto p = ports();

    EXPECT_EQ(program_body(app, p), 0);

    EXPECT_NE(std::find(manager.states().begin(), manager.states().end(), ServiceState::Running),
              manager.states().end());
    const auto entries = events.entries();
    const auto said = std::count_if(entries.begin(), entries.end(), [&](const auto& entry) {
        return entry.second.find("no log database in the data directory " + data_dir() + " (" +
                                 data_dir() + "/config/log.db is missing)") != std::string::npos;
    });
    EXPECT_EQ(said, 1) << (entries.empty() ? "no event" : entries.front().second);
}

TEST_F(MissingLog, IsNotSaidWhenTheDatabaseIsThere) {
    auto& app = make_application();
    manager.controls_when_running = {kServiceControlStop};
    auto p = ports();
    EXPECT_EQ(program_body(app, p), 0);
    EXPECT_TRUE(events.entries().empty());
}

}  // namespace
}  // namespace quorvane::test
