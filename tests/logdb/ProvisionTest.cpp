#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OtherConnection.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

TEST(Provision, MakesAWorkingDataDirectory) {
    TempDir dir;
    provision_data_dir(dir.str());

    // The files of the installation and nothing left over from making the database.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path() / "config")) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(names, ::testing::UnorderedElementsAre("log.db", "tip.cfg", "dev.ini"));
    EXPECT_EQ(dir.read("config/tip.cfg"), read_file(source_path("data/tip.cfg")));
    EXPECT_EQ(dir.read("qvane help/qvane.html"),
              read_file(source_path("data/qvane help/qvane.html")));
    ASSERT_TRUE(fs::is_regular_file(dir.path() / "config/dev.ini"));
    EXPECT_EQ(fs::file_size(dir.path() / "config/dev.ini"), 0u);

    const std::string db_path = (dir.path() / "config/log.db").string();
    EXPECT_EQ(OtherConnection(db_path).value("PRAGMA journal_mode"), "wal");
    LogDatabase db(db_path);
    LogRow row = log_row("1-20240301090000-3", "2024-03-01", "09:00");
    row.dload = 4294967296;
    db.insert_connection(row);
    EXPECT_THAT(db.read_filtered(LogFilter{}), ::testing::ElementsAre(row));
}

TEST(Provision, KeepsFilesThatExist) {
    TempDir dir;
    provision_data_dir(dir.str());
    const std::string db_path = (dir.path() / "config/log.db").string();
    LogDatabase(db_path).insert_connection(log_row("kept", "2024-03-01", "09:00"));
    dir.write("config/tip.cfg", "My own tip\n#\n");
    dir.write("config/dev.ini", "[LAN]\ntime_cost=1\n");
    dir.write("qvane help/qvane.html", "<p>local notes</p>");
    dir.write("config/config.ini", "[general]\ntipoftheday=1\n");

    provision_data_dir(dir.str());

    EXPECT_EQ(dir.read("config/tip.cfg"), "My own tip\n#\n");
    EXPECT_EQ(dir.read("config/dev.ini"), "[LAN]\ntime_cost=1\n");
    EXPECT_EQ(dir.read("qvane help/qvane.html"), "<p>local notes</p>");
    EXPECT_EQ(dir.read("config/config.ini"), "[general]\ntipoftheday=1\n");
    EXPECT_THAT(ids_of(LogDatabase(db_path).read_filtered(LogFilter{})),
                ::testing::ElementsAre("kept"));
}

TEST(Provision, FillsInOnlyWhatIsMissing) {
    TempDir dir;
    dir.write("config/dev.ini", "[LAN]\n");
    provision_data_dir(dir.str());
    EXPECT_EQ(dir.read("config/dev.ini"), "[LAN]\n");
    EXPECT_TRUE(fs::exists(dir.path() / "config/log.db"));
    EXPECT_TRUE(fs::exists(dir.path() / "config/tip.cfg"));
}

TEST(Provision, WorksFromAnyFolderWithARelativeTarget) {
    TempDir dir;
    const std::string script = source_path("scripts/provision");
    int status = std::system(
        ("cd " + quoted(dir.str()) + " && " + quoted(script) + " 'my data' >/dev/null").c_str());
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(fs::exists(dir.path() / "my data/config/log.db"));
    EXPECT_TRUE(fs::exists(dir.path() / "my data/qvane help/qvane.html"));
}

TEST(Provision, WithoutATargetFailsAndWritesNothing) {
    TempDir dir;
    const std::string script = source_path("scripts/provision");
    int status =
        std::system(("cd " + quoted(dir.str()) + " && " + quoted(script) + " 2>/dev/null").c_str());
    EXPECT_NE(status, 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// Every tip is closed by a line holding only "#", so no tip text is lost after the last one,
// and no tip is empty.
TEST(Provision, TipFileHoldsOnlyClosedNonEmptyTips) {
    std::istringstream tips(read_file(source_path("data/tip.cfg")));
    std::string line;
    std::string tip;
    int count = 0;
    while (std::getline(tips, line)) {
        if (line == "#") {
            EXPECT_FALSE(tip.empty()) << "empty tip after tip " << count;
            tip.clear();
            ++count;
        } else {
            tip += line;
        }
    }
    EXPECT_TRUE(tip.empty()) << "text after the last \"#\": " << tip;
    EXPECT_GE(count, 8);
}

}  // namespace
}  // namespace quorvane::test
