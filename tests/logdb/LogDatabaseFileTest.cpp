// The log notices a file that was removed or replaced under it, and a lock another process
// keeps fails a statement instead of holding it up.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "OtherConnection.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class LogDatabaseFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        create_log_db(m_path);
        m_db.insert_connection(log_row("a", "2024-03-01", "09:00"));
    }
    std::string count(const std::string& path) {
        return OtherConnection(path).value("SELECT count(*) FROM log");
    }

    TempDir m_dir;
    std::string m_path = (m_dir.path() / "log.db").string();
    LogDatabase m_db{m_path};
};

TEST_F(LogDatabaseFileTest, TheSameFileStaysOpen) {
    const auto generation = m_db.file_generation();
    m_db.check_file();
    EXPECT_TRUE(m_db.is_open());
    EXPECT_TRUE(m_db.update_connection("a", 61, 1, 2));
    EXPECT_EQ(m_db.file_generation(), generation);
}

TEST_F(LogDatabaseFileTest, AFileSwappedInIsTheOneWrittenFromTheNextBatch) {
    struct Case {
        const char* what;
        void (*swap)(const std::string& path, const std::string& other);
    };
    const Case cases[] = {
        {"removed, then provisioned anew",
         [](const std::string& path, const std::string& other) {
             fs::remove(path);
             fs::copy_file(other, path);
         }},
        {"replaced by a rename over it",
         [](const std::string& path, const std::string& other) {
             fs::copy_file(other, path + ".new");
             fs::rename(path + ".new", path);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = (dir.path() / "log.db").string();
        const std::string fresh = (dir.path() / "fresh.db").string();
        create_log_db(path);
        create_log_db(fresh);
        LogDatabase db(path);
        db.insert_connection(log_row("a", "2024-03-01", "09:00"));
        const auto generation = db.file_generation();

        c.swap(path, fresh);
        db.check_file();
        EXPECT_FALSE(db.update_connection("a", 61, 1, 2));  // not in the new file
        EXPECT_NE(db.file_generation(), generation);
        db.insert_connection(log_row("b", "2024-03-01", "10:00"));
        EXPECT_EQ(ids_of(db.read_filtered(LogFilter{})), std::vector<std::string>{"b"});
        EXPECT_EQ(count(path), "1");
    }
}

TEST_F(LogDatabaseFileTest, ARemovedFileFailsUntilItIsBackAndIsNeverCreated) {
    fs::rename(m_path, m_path + ".aside");
    m_db.check_file();
    EXPECT_FALSE(m_db.is_open());
    EXPECT_THROW(m_db.update_connection("a", 61, 1, 2), LogDatabaseError);
    EXPECT_THROW(m_db.open(), LogDatabaseError);
    EXPECT_FALSE(fs::exists(m_path));

    fs::rename(m_path + ".aside", m_path);
    m_db.check_file();
    EXPECT_TRUE(m_db.update_connection("a", 61, 1, 2));
    EXPECT_EQ(OtherConnection(m_path).value("SELECT Duration FROM log"), "61");
}

TEST_F(LogDatabaseFileTest, ABatchOfRewritesChangesEveryListedConnection) {
    m_db.insert_connection(log_row("b", "2024-03-01", "10:00"));
    m_db.insert_connection(log_row("c", "2024-03-01", "11:00"));
    LogRow a = log_row("a", "", ""), c = log_row("c", "", "");
    a.duration = 70, a.dload = 5000000000, a.uload = 3;
    c.duration = 80, c.dload = 4, c.uload = 5;
    m_db.update_connections({a, c});
    OtherConnection other(m_path);
    EXPECT_EQ(other.value("SELECT group_concat(Devuniqueid || ':' || Duration || ':' || dload || "
                          "':' || uload, ' ') FROM (SELECT * FROM log ORDER BY Devuniqueid)"),
              "a:70:5000000000:3 b:60:1000:2000 c:80:4:5");
}

TEST_F(LogDatabaseFileTest, ALockHeldLongerThanTheWaitFailsTheStatementOnly) {
    OtherConnection writer(m_path);
    writer.exec("BEGIN IMMEDIATE; UPDATE log SET Duration = 1");
    EXPECT_THROW(m_db.update_connection("a", 61, 1, 2), LogDatabaseError);
    EXPECT_THROW(m_db.insert_connection(log_row("b", "2024-03-01", "10:00")), LogDatabaseError);
    LogRow figures = log_row("a", "2024-03-01", "09:00");
    figures.duration = 99;
    EXPECT_THROW(m_db.update_connections({figures}), LogDatabaseError);
    writer.exec("COMMIT");
    EXPECT_TRUE(m_db.update_connection("a", 61, 1, 2));
    m_db.insert_connection(log_row("b", "2024-03-01", "10:00"));
    EXPECT_EQ(count(m_path), "2");
    EXPECT_EQ(OtherConnection(m_path).value("SELECT Duration FROM log WHERE Devuniqueid = 'a'"),
              "61");
}

}  // namespace
}  // namespace quorvane::test
