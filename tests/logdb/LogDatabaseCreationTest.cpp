#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "OtherConnection.h"
#include "logdb/LogDatabase.h"
#include "logdb/LogDatabaseCreation.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

std::string schema() {
    std::ifstream in(source_path("data/schema.sql"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(LogDatabaseCreation, MakesAWorkingLogFromTheSchemaAndNothingBeside) {
    TempDir dir;
    const std::string path = dir.str() + "/log.db";
    create_log_database(path, schema());

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(names, ::testing::ElementsAre("log.db"));
    EXPECT_EQ(OtherConnection(path).value("PRAGMA journal_mode"), "wal");
    LogDatabase db(path);
    LogRow row = log_row("1-20240301090000-3", "2024-03-01", "09:00");
    db.insert_connection(row);
    EXPECT_THAT(db.read_filtered(LogFilter{}), ::testing::ElementsAre(row));
}

TEST(LogDatabaseCreation, KeepsALogThatExists) {
    TempDir dir;
    const std::string path = dir.str() + "/log.db";
    create_log_database(path, schema());
    LogDatabase(path).insert_connection(log_row("1-20240301090000-3", "2024-03-01", "09:00"));
    create_log_database(path, schema());
    EXPECT_EQ(LogDatabase(path).read_filtered(LogFilter{}).size(), 1u);
}

TEST(LogDatabaseCreation, AFailureLeavesNothingBehindAndSaysWhy) {
    TempDir dir;
    const std::string path = dir.str() + "/log.db";
    try {
        create_log_database(path, "CREATE TABLE log (;");
        FAIL() << "a broken schema makes no log";
    } catch (const LogDatabaseError& error) {
        EXPECT_THAT(error.what(),
                    ::testing::StartsWith("cannot create the log database \"" + path + "\": "));
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
    EXPECT_THROW(create_log_database(dir.str() + "/no-folder/log.db", schema()), LogDatabaseError);
}

}  // namespace
}  // namespace quorvane::test
