#include "usage/DatabaseView.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "usage/LogFilterRules.h"

namespace quorvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The ids name the rows in these tests; the grid's reads leave them out.
constexpr auto all_columns = OrderedLogRows::Columns::all;

LogRow connection(const std::string& id, const std::string& date, const std::string& time,
                  const std::string& device, int32_t seconds, int64_t dload, int64_t uload) {
    LogRow row = log_row(id, date, time, device);
    row.duration = seconds;
    row.dload = dload;
    row.uload = uload;
    return row;
}

class DatabaseViewTest : public testing::Test {
protected:
    DatabaseViewTest() {
        std::filesystem::create_directories(m_dir.path() / "config");
        create_log_db(m_log_path);
    }

    void write_tariffs(const std::string& content) { m_dir.write("config/dev.ini", content); }
    TariffBook fresh_book() { return TariffBook(m_ini_path, point_decimal()); }
    void insert(const std::vector<LogRow>& rows) {
        for (const auto& row : rows) m_db.insert_connection(row);
    }

    TempDir m_dir;
    std::string m_log_path = (m_dir.path() / "config/log.db").string();
    std::string m_ini_path = (m_dir.path() / "config/dev.ini").string();
    LogDatabase m_db{m_log_path};
};

// Rows by start date and, within a day, by start time descending; each with its own
// device's tariff, whatever the letter case of its name.
TEST_F(DatabaseViewTest, RowsInGridOrderWithTheirSummary) {
    write_tariffs(
        "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\n"
        "[Dial]\nTime_cost=2\nTime_cost_sat=1\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n"
        "[Mobile]\nBw_cost=0.01\nBw_cost_sat=0\nBw_opt=1\n");
    insert({connection("lan-0301-0900", "2024-03-01", "09:00", "LAN", 90, 100, 200),
            connection("dial-0302-1800", "2024-03-02", "18:00", "Dial", 90, 1536000, 512000),
            connection("mob-0302-0900", "2024-03-02", "09:00", "Mobile", 0, 1000, 5000),
            connection("lan-0301-1800", "2024-03-01", "18:00", "lan", 90, 0, 0)});
    TariffBook book = fresh_book();
    DatabaseView view = read_database_view(m_db, LogFilter{}, book, all_columns);
    EXPECT_THAT(ids_of(view.rows),
                ElementsAre("lan-0301-1800", "lan-0301-0900", "dial-0302-1800", "mob-0302-0900"));
    // Time 2.25 + 2.25 + 0.05; traffic: LAN's 300 bytes are charged at 0, Dial's 2048000
    // bytes at 1.00, Mobile's 1000 downloaded bytes at 10.00.
    EXPECT_EQ(view.summary, (Tlog_summary{4, 300 + 2048000 + 1000, 110000, 270, 45500}));
}

TEST_F(DatabaseViewTest, FilterFromTheBoxesSelectsDeviceAndDates) {
    insert({log_row("lan-feb", "2004-02-29", "10:00", "LAN"),
            log_row("lan-mar", "2004-03-01", "10:00", "LAN"),
            log_row("wifi-feb", "2004-02-29", "11:00", "Wi-Fi")});
    FilterBoxes boxes{"lan", "31", "February", "2004", "31", "February", "2004"};
    TariffBook book = fresh_book();
    DatabaseView view =
        read_database_view(m_db, create_log_filter(boxes).filter, book, all_columns);
    EXPECT_THAT(ids_of(view.rows), ElementsAre("lan-feb"));
    EXPECT_EQ(view.summary.conn_count, 1);
}

// Quotes, "%", brackets and "=" in a name are plain text of a bound parameter; "%" keeps
// its meaning as a wildcard of the device pattern, as the device box means it.
TEST_F(DatabaseViewTest, DeviceNamesWithQuotesAndWildcardsAreData) {
    write_tariffs("[Bob's \"50%\" [lab]\nTime_cost=1\n");
    insert({log_row("odd", "2024-03-01", "10:00", "Bob's \"50%\" [lab]=x"),
            log_row("wide", "2024-03-01", "11:00", "Bob's \"50 plus\" [lab]=x"),
            log_row("other", "2024-03-01", "12:00", "Bob's \"50%\" [lab]=y"),
            log_row("bracket", "2024-03-01", "13:00", "Bob's \"50%\" [lab"),
            log_row("plain", "2024-03-01", "14:00", "LAN")});
    auto ids_for = [&](const std::string& pattern) {
        LogFilter filter;
        filter.device_pattern = pattern;
        TariffBook book = fresh_book();
        return ids_of(read_database_view(m_db, filter, book, all_columns).rows);
    };
    EXPECT_THAT(ids_for("Bob's \"50%\" [lab]=x"), ElementsAre("wide", "odd"));
    EXPECT_THAT(ids_for("bob's \"50%\" [LAB]=Y"), ElementsAre("other"));
    EXPECT_THAT(ids_for("Bob's \"50"), IsEmpty());
    TariffBook book = fresh_book();
    LogFilter bracket;
    bracket.device_pattern = "Bob's \"50%\" [lab";
    DatabaseView view = read_database_view(m_db, bracket, book, all_columns);
    EXPECT_THAT(ids_of(view.rows), ElementsAre("bracket"));
    EXPECT_EQ(view.summary.total_time_cost, 10000);
    EXPECT_EQ(m_db.read_filtered(LogFilter{}).size(), 5u);
}

// Every row comes with the error, not only those before the failing one; the summary is
// not given.
TEST_F(DatabaseViewTest, TariffErrorMidwayCarriesEveryRow) {
    write_tariffs("[LAN]\nTime_cost=1\n[Dial]\nTime_cost=abc\n");
    insert({log_row("1", "2024-03-01", "10:00", "LAN"), log_row("2", "2024-03-02", "10:00", "Dial"),
            log_row("3", "2024-03-03", "10:00", "LAN")});
    TariffBook book = fresh_book();
    try {
        read_database_view(m_db, LogFilter{}, book, all_columns);
        FAIL() << "no error";
    } catch (const DatabaseViewError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' is not a valid floating point value");
        EXPECT_THAT(ids_of(e.rows), ElementsAre("1", "2", "3"));
        EXPECT_EQ(e.device, "Dial");
    }
}

// A price that parses but makes a cost past the largest amount fails the same way, naming
// the device and the amount.
TEST_F(DatabaseViewTest, ACostPastTheLargestAmountNamesTheDevice) {
    write_tariffs("[big]\nBw_cost=900000000000000\nBw_cost_sat=2\n");
    LogRow row = log_row("1", "2024-03-01", "10:00", "big");
    row.dload = int64_t{5} << 30;
    insert({log_row("0", "2024-03-01", "09:00", "small"), row});
    TariffBook book = fresh_book();
    try {
        read_database_view(m_db, LogFilter{}, book, all_columns);
        FAIL() << "no error";
    } catch (const DatabaseViewError& e) {
        EXPECT_EQ(e.device, "big");
        EXPECT_THAT(std::string(e.what()), testing::HasSubstr("out of the range of amounts"));
        EXPECT_FALSE(e.rows.empty());
    }
}

TEST_F(DatabaseViewTest, EmptyLogGivesNoRowsAndAZeroSummary) {
    TariffBook book = fresh_book();
    DatabaseView view = read_database_view(m_db, LogFilter{}, book);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(view.summary, Tlog_summary{});
}

TEST_F(DatabaseViewTest, AFailingQueryIsALogDatabaseError) {
    LogDatabase missing((m_dir.path() / "none.db").string());
    TariffBook book = fresh_book();
    EXPECT_THROW(read_database_view(missing, LogFilter{}, book), LogDatabaseError);
}

TEST(SummarizeRows, TellsHowManyRowsWereSummedBeforeTheFailingOne) {
    TempDir dir;
    auto ini = dir.write("dev.ini", "[LAN]\nTime_cost=1\n[Bad]\nBw_opt=x\n");
    TariffBook book(ini.string(), point_decimal());
    std::vector<LogRow> rows = {log_row("1", "2024-03-01", "10:00", "LAN"),
                                log_row("2", "2024-03-01", "10:00", "lan"),
                                log_row("3", "2024-03-01", "10:00", "Bad")};
    size_t done = 99;
    EXPECT_THROW(summarize_rows(rows, book, &done), ConversionError);
    EXPECT_EQ(done, 2u);
    rows.pop_back();
    // 60 s each at 1.0 per minute; 3000 bytes each, charged at 0.
    EXPECT_EQ(summarize_rows(rows, book, &done), (Tlog_summary{2, 6000, 0, 120, 20000}));
    EXPECT_EQ(done, 2u);
}

}  // namespace
}  // namespace quorvane::test
