// The period, the device match, the data directory and every way a run can fail.
#include <gmock/gmock.h>

#include "report/ReportFixture.h"

namespace quorvane::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

using ReportCommand = ReportFixture;

// The ids of a connections report in CSV, in their order.
std::vector<std::string> ids_in(const std::string& csv) {
    std::vector<std::string> ids;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);  // the header
    while (std::getline(lines, line) && !line.empty())
        ids.push_back(line.substr(0, line.find(',')));
    return ids;
}

TEST_F(ReportCommand, ThePeriodIncludesBothEnds) {
    ASSERT_EQ(
        report({"--connections", "--format", "csv", "--from", "2026-11-30", "--to", "2026-12-01"}),
        0);
    EXPECT_EQ(ids_in(out), (std::vector<std::string>{"n30", "d01b", "d01c", "d01a"}));
    ASSERT_EQ(
        report({"--connections", "--format", "csv", "--from", "2026-12-31", "--to", "2027-01-01"}),
        0);
    EXPECT_EQ(ids_in(out), (std::vector<std::string>{"d31", "j01"}));
}

TEST_F(ReportCommand, WithoutDatesThePeriodIsTheCurrentMonth) {
    struct Case {
        LocalTime today;
        const char* period;
    };
    for (const Case& c : {Case{{2026, 12, 10}, "2026-12-01 to 2026-12-31"},
                          Case{{2024, 2, 29}, "2024-02-01 to 2024-02-29"},
                          Case{{2023, 2, 1}, "2023-02-01 to 2023-02-28"}}) {
        environment.today = c.today;
        ASSERT_EQ(report({}), 0) << err;
        EXPECT_THAT(out, HasSubstr(std::string("Period:         ") + c.period + "\n"));
    }
    // One end given: the other is the current month's.
    environment.today = {2026, 12, 10};
    ASSERT_EQ(report({"--from", "2026-11-30", "--connections", "--format", "csv"}), 0) << err;
    EXPECT_EQ(ids_in(out), (std::vector<std::string>{"n30", "d01b", "d01c", "d01a", "d31"}));
}

// A name matches as the database view matches it, letter case ignored, but "%" and "_" are
// plain characters: they never widen the match to other devices.
TEST_F(ReportCommand, ADeviceMatchesByNameOnly) {
    {
        LogDatabase log(log_path());
        log.insert_connection(
            LogRow{"pct", "2026-12-02", "10:00", "local", "50%_off", 60, 0, 1, 1});
        log.insert_connection(LogRow{"xy", "2026-12-02", "11:00", "local", "50xyoff", 60, 0, 1, 1});
    }
    struct Case {
        const char* device;
        std::vector<std::string> ids;
    };
    for (const Case& c : {Case{"LAN", {"d01b", "d01a"}}, Case{"50%_off", {"pct"}}, Case{"50%", {}},
                          Case{"%", {}}, Case{"dial, \"UP\"", {"d01c"}}}) {
        ASSERT_EQ(report({"--connections", "--format", "csv", "--device", c.device}), 0) << err;
        EXPECT_EQ(ids_in(out), c.ids) << c.device;
    }
}

TEST_F(ReportCommand, WithoutDataDirTheStoresAndTheCurrentDirectoryAreUsed) {
    // The user store names the fixture; the machine store is missing.
    environment.data_dir_sources.default_dir = "/nonexistent";
    environment.data_dir_sources.user_store =
        dir.write("store/registry.ini", "[Software\\pwktdd]\nCurrentDir=" + dir.str() + "\n")
            .string();
    ASSERT_EQ(report_without_dir({"--format", "json"}), 0) << err;
    EXPECT_THAT(out, StartsWith("{\"data_dir\": \"" + dir.str() + "\""));
    // The machine store wins over the user store.
    environment.data_dir_sources.machine_store =
        dir.write("etc/registry.ini", "[Software\\bdgdd]\nCurrentDir=/nonexistent-machine\n")
            .string();
    EXPECT_EQ(report_without_dir({}), 1);
    EXPECT_THAT(err, HasSubstr("/nonexistent-machine"));
}

TEST_F(ReportCommand, EveryUsageErrorEndsWithStatusTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"extra"},
        {"--from"},
        {"--from", "2026-02-30"},
        {"--to", "26-12-01"},
        {"--from", "2026-12-02", "--to", "2026-12-01"},
        {"--format", "xml"},
        {"--daily", "--monthly"},
        {"--connections", "--connections"},
        {"--device", "a", "--device", "b"},
        {"--data-dir", ""},
        {"--help=yes"},
    };
    for (const auto& arguments : cases) {
        EXPECT_EQ(report(arguments), 2) << arguments[0];
        EXPECT_EQ(out, "");
        EXPECT_THAT(err, StartsWith("quorvane-report: "));
        EXPECT_THAT(err, HasSubstr("\nUsage: quorvane-report [--data-dir DIR]"));
    }
}

TEST_F(ReportCommand, HelpAndVersionPrintAndSucceed) {
    for (const char* option : {"--help", "-h"}) {
        EXPECT_EQ(report_without_dir({option}), 0);
        EXPECT_THAT(out, StartsWith("Usage: quorvane-report"));
        EXPECT_THAT(out, HasSubstr("--connections"));
    }
    EXPECT_EQ(report_without_dir({"--version"}), 0);
    EXPECT_THAT(out, StartsWith("quorvane-report "));
}

TEST_F(ReportCommand, AMissingOrBrokenDatabaseEndsWithStatusOneInOneLine) {
    std::filesystem::remove(log_path());
    EXPECT_EQ(report({}), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "quorvane-report: no log database in the data directory " + dir.str() +
                       " (config/log.db is missing)\n");
    EXPECT_FALSE(std::filesystem::exists(log_path())) << "the report never creates the log";

    dir.write("config/log.db", "not a database");
    EXPECT_EQ(report({}), 1);
    EXPECT_EQ(out, "");
    EXPECT_THAT(err, StartsWith("quorvane-report: cannot open the log database"));
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

TEST_F(ReportCommand, ATariffThatDoesNotConvertNamesTheFile) {
    dir.write("config/dev.ini", "[LAN]\nTime_cost=abc\n");
    EXPECT_EQ(report({}), 1);
    EXPECT_EQ(out, "");
    EXPECT_THAT(err, HasSubstr(dir.str() + "/config/dev.ini: "));
    EXPECT_THAT(err, HasSubstr("abc"));
}

// The report only reads: the log's file and the tariffs stay byte for byte as they were.
TEST_F(ReportCommand, NothingIsWritten) {
    const auto log_before = dir.read("config/log.db");
    const auto ini_before = dir.read("config/dev.ini");
    ASSERT_EQ(report({"--connections"}), 0);
    ASSERT_EQ(report({"--monthly", "--format", "json"}), 0);
    EXPECT_EQ(dir.read("config/log.db"), log_before);
    EXPECT_EQ(dir.read("config/dev.ini"), ini_before);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "config/config.ini"));
}

}  // namespace
}  // namespace quorvane::test
