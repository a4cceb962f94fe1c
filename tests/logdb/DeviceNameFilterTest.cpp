// A device given by name matches that name only, letter case ignored: the characters LIKE
// treats as wildcards, and its escape character, are plain characters in the name.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "logdb/LogDatabase.h"
#include "logdb/LogFilterClause.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using ::testing::UnorderedElementsAreArray;

struct NameCase {
    const char* test_name;
    const char* device;
    std::vector<std::string> ids;
};

class DeviceNameFilterTest : public ::testing::TestWithParam<NameCase> {
protected:
    DeviceNameFilterTest() {
        create_log_db(m_path);
        for (const char* name :
             {"50%_off", "50xyoff", "50%off", "a\\b", "ab", "a\\\\b", "LAN", "lan", "LAN2"}) {
            m_db.insert_connection(log_row(std::string("id:") + name, "2024-03-01", "10:00", name));
        }
    }

    TempDir m_dir;
    std::string m_path = (m_dir.path() / "log.db").string();
    LogDatabase m_db{m_path};
};

TEST_P(DeviceNameFilterTest, MatchesTheNameOnly) {
    LogFilter filter;
    filter.device_pattern = GetParam().device;
    filter.device_is_name = true;
    EXPECT_THAT(ids_of(m_db.read_filtered(filter)), UnorderedElementsAreArray(GetParam().ids));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceNameFilterTest,
    ::testing::Values(NameCase{"PercentAndUnderscoreArePlain", "50%_off", {"id:50%_off"}},
                      NameCase{"PercentAlone", "50%off", {"id:50%off"}},
                      NameCase{"BackslashIsPlain", "a\\b", {"id:a\\b"}},
                      NameCase{"TwoBackslashes", "a\\\\b", {"id:a\\\\b"}},
                      NameCase{"LetterCaseIgnored", "Lan", {"id:LAN", "id:lan"}},
                      NameCase{"PercentAloneMatchesNoOther", "%", {}},
                      NameCase{"UnknownName", "50", {}}),
    [](const auto& info) { return std::string(info.param.test_name); });

// As a pattern (the main window's device box), the same text keeps its wildcards.
TEST(DeviceNamePattern, APatternKeepsItsWildcards) {
    EXPECT_EQ(like_pattern_of_name("50%_off\\"), "50\\%\\_off\\\\");
    TempDir dir;
    const std::string path = (dir.path() / "log.db").string();
    create_log_db(path);
    LogDatabase db(path);
    db.insert_connection(log_row("x", "2024-03-01", "10:00", "50xyoff"));
    LogFilter filter;
    filter.device_pattern = "50%_off";
    EXPECT_EQ(ids_of(db.read_filtered(filter)), std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace quorvane::test
