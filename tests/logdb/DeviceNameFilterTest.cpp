// A device given by name matches that name only, letter case ignored: the characters LIKE
// treats as wildcards, and its escape character, are plain characters in the name.
#include <fstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OtherConnection.h"
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

// A pattern of "%" alone, the filter of a read or an erase of the whole log, keeps and erases
// the rows LIKE '%' matches, in a file written without the schema's types: NULL, BLOB and
// numeric names and user tags alike.
TEST(AnyPattern, KeepsWhatLikeMatches) {
    TempDir dir;
    const std::string path = (dir.path() / "log.db").string();
    std::ofstream(path).flush();  // an empty file is an empty database
    {
        OtherConnection file(path);
        file.exec(
            "CREATE TABLE log (Devuniqueid, startdate, starttime, usera, Deventry, Duration, "
            "speed, dload, uload)");
        const char* values[] = {"'LAN'", "NULL", "x'4c414e'", "42", "4.5", "''", "'%'"};
        int id = 0;
        for (const char* device : values) {
            for (const char* user : values) {
                file.exec("INSERT INTO log VALUES ('" + std::to_string(id++) +
                          "', '2024-03-01', '10:00', " + user + ", " + device + ", 60, 0, 1, 2)");
            }
        }
    }
    OtherConnection engine(path);
    const auto ids_where = [&](const std::string& where) {
        return engine.values("SELECT Devuniqueid FROM log WHERE " + where);
    };
    LogDatabase db(path);
    LogFilter any, some_device, some_user;
    some_device.device_pattern = "L%";
    some_user.user_pattern = "L%";
    EXPECT_THAT(ids_of(db.read_filtered(any)),
                UnorderedElementsAreArray(ids_where("Deventry LIKE '%' AND usera LIKE '%'")));
    EXPECT_THAT(ids_of(db.read_filtered(some_device)),
                UnorderedElementsAreArray(ids_where("Deventry LIKE 'L%' AND usera LIKE '%'")));
    EXPECT_THAT(ids_of(db.read_filtered(some_user)),
                UnorderedElementsAreArray(ids_where("Deventry LIKE '%' AND usera LIKE 'L%'")));
    const std::vector<std::string> kept =
        ids_where("coalesce(Deventry LIKE '%' AND usera LIKE '%', 0) = 0");
    ASSERT_FALSE(kept.empty());
    db.erase(any, {});
    EXPECT_THAT(ids_where("1"), UnorderedElementsAreArray(kept));
}

}  // namespace
}  // namespace quorvane::test
