#include "usage/PeriodUsage.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "config/Conversions.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"
#include "support/TestLocales.h"
#include "usage/DatabaseView.h"
#include "usage/LogConnections.h"

namespace quorvane::test {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

// Rows in no particular order over two months: one device in three spellings, starts shared
// by several rows (the row written last comes first), and halves of a ten-thousandth that
// round to the even sum.
const std::vector<LogRow> kRows = {
    {"a", "2026-11-30", "23:10", "local", "LAN", 600, 1, 1000000, 20000},
    {"b", "2026-12-01", "08:00", "local", "lan", 61, 1, 5000, 100},
    {"c", "2026-12-01", "09:30", "local", "Wi-Fi", 3601, 1, 7000000, 300000},
    {"d", "2026-11-02", "12:00", "local", "Bob's \"50%\"", 125, 1, 1, 2},
    {"e", "2026-12-01", "08:00", "local", "LAN", 30, 1, 10, 20},
    {"f", "2026-11-30", "23:10", "local", "Wi-Fi", 1, 1, 0, 0},
    {"g", "2026-12-24", "18:00", "local", "Lan", 7201, 1, 123456789, 9876543},
    {"h", "2026-11-02", "11:00", "local", "Bob's \"50%\"", 59, 1, 1024000, 0},
    {"i", "2026-12-01", "08:00", "local", "Wi-Fi", 7, 1, 3, 5},
};

const char* const kTariffs =
    "[LAN]\nTime_cost=1.5\nTime_cost_sat=0\nBw_cost=0.5\nBw_cost_sat=2\nBw_opt=0\n"
    "[Wi-Fi]\nTime_cost=0.00005\nTime_cost_sat=0\n"
    "[Bob's \"50%\"]\nBw_cost=1.5\nBw_cost_sat=2\nBw_opt=2\n";

// What a report of the groups shows, or the error it ends with.
struct Outcome {
    PeriodUsage usage;
    std::string error;  // the exception's type and message
};

Outcome outcome_of(const std::function<PeriodUsage()>& make) {
    Outcome outcome;
    try {
        outcome.usage = make();
    } catch (const DatabaseViewError& error) {
        outcome.error = std::string("view: ") + error.what() + " / " + error.device;
    } catch (const ConversionError& error) {
        outcome.error = std::string("conversion: ") + error.what();
    }
    return outcome;
}

void expect_same(const Outcome& got, const Outcome& expected) {
    EXPECT_EQ(got.error, expected.error);
    EXPECT_EQ(got.usage.summary, expected.usage.summary);
    ASSERT_EQ(got.usage.groups.size(), expected.usage.groups.size());
    for (size_t i = 0; i < got.usage.groups.size(); ++i) {
        const UsageGroup &a = got.usage.groups[i], &b = expected.usage.groups[i];
        SCOPED_TRACE(b.period + " " + b.device);
        EXPECT_EQ(a.period, b.period);
        EXPECT_EQ(a.device, b.device);
        EXPECT_EQ(a.download, b.download);
        EXPECT_EQ(a.upload, b.upload);
        EXPECT_EQ(a.total, b.total);
        EXPECT_EQ(a.summary, b.summary);
    }
}

class PeriodUsageTest : public testing::Test {
protected:
    PeriodUsageTest() { std::filesystem::create_directories(m_dir.path() / "config"); }

    void write_rows(const std::vector<LogRow>& rows) {
        LogDatabase log(m_log);
        for (const LogRow& row : rows) log.insert_connection(row);
    }

    // The one pass against the database view's rows grouped, over the same filter; gives the
    // error both ended with (none: empty).
    std::string expect_as_the_view(const LogFilter& filter, const std::string& tariffs = kTariffs) {
        std::string error;
        const std::string ini = m_dir.write("config/dev.ini", tariffs).string();
        for (GroupBy by : {GroupBy::Day, GroupBy::Month}) {
            SCOPED_TRACE(by == GroupBy::Day ? "by day" : "by month");
            LogDatabase log(m_log);
            TariffBook view_book(ini, point_decimal()), pass_book(ini, point_decimal());
            const Outcome expected = outcome_of([&] {
                DatabaseView view = read_database_view(log, filter, view_book);
                return PeriodUsage{view.summary, group_usage(view.rows, by, view_book)};
            });
            const Outcome got =
                outcome_of([&] { return read_period_usage(log, filter, by, pass_book); });
            expect_same(got, expected);
            error = expected.error;
        }
        return error;
    }

    // The connections of one pass against the database view's rows with every column.
    void expect_connections_as_the_view(const LogFilter& filter) {
        const std::string ini = m_dir.write("config/dev.ini", kTariffs).string();
        LogDatabase log(m_log);
        TariffBook view_book(ini, point_decimal()), pass_book(ini, point_decimal());
        const DatabaseView view =
            read_database_view(log, filter, view_book, OrderedLogRows::Columns::all);
        const auto pass = read_log_connections(log, filter, pass_book);
        ASSERT_TRUE(pass);
        EXPECT_EQ(pass->summary, view.summary);
        const UsageRecords& records = pass->records;
        ASSERT_EQ(records.size(), view.rows.size());
        for (size_t at = 0; at < records.size(); ++at) {
            const LogRowRef expected = view.rows[at];
            const UsageRecords::Record& row = records[at];
            SCOPED_TRACE(std::string(expected.devuniqueid));
            EXPECT_EQ(records.id(at), expected.devuniqueid);
            EXPECT_EQ(records.day_text(row.day), expected.startdate);
            EXPECT_EQ(records.time_text(row.time), expected.starttime);
            EXPECT_EQ(records.device_name(row.device), expected.deventry);
            EXPECT_EQ(row.duration, expected.duration);
            EXPECT_EQ(row.dload, expected.dload);
            EXPECT_EQ(row.uload, expected.uload);
        }
    }

    TempDir m_dir;
    std::string m_log = (m_dir.path() / "config/log.db").string();
};

LogFilter dates(const std::string& from, const std::string& to) {
    LogFilter filter;
    filter.dates = LogFilter::DateRange{from, to};
    return filter;
}

TEST_F(PeriodUsageTest, OnePassGivesTheFiguresOfTheViewsRows) {
    create_log_db(m_log);
    write_rows(kRows);
    LogFilter lan;
    lan.device_pattern = "lan";
    lan.device_is_name = true;
    for (const LogFilter& filter :
         {LogFilter{}, dates("2026-12-01", "2026-12-01"), dates("2026-11-01", "2026-12-31"), lan,
          dates("2027-01-01", "2027-01-31")}) {
        expect_as_the_view(filter);
    }
}

TEST_F(PeriodUsageTest, OnePassGivesTheConnectionsOfTheViewInItsOrder) {
    create_log_db(m_log);
    std::vector<LogRow> rows = kRows;
    rows.push_back({"", "2026-12-01", "08:00", "local", "LAN", 1, 1, 2, 3});  // an empty id
    rows.push_back({std::string(300, 'x'), "2026-12-01", "08:00", "local", "lan", 1, 1, 2, 3});
    write_rows(rows);
    for (const LogFilter& filter :
         {LogFilter{}, dates("2026-12-01", "2026-12-01"), dates("2027-01-01", "2027-01-31")}) {
        expect_connections_as_the_view(filter);
    }
}

// The order of the view does not depend on the order the rows were written in, nor on the
// order the engine gives them in (a plain pass, the start index for a short period, the
// device index for a pattern): a cost whose halves round to the even sum depends on it.
TEST_F(PeriodUsageTest, RowsWrittenInAnyOrderGiveTheFiguresOfTheView) {
    // Starts of their own, so that any order of writing is the same view. LAN's traffic costs
    // 5/1024 of a ten-thousandth a byte: 256 bytes 1.25, 512 bytes 2.5, 768 bytes 3.75. On
    // 2026-11-02 3.75 and 1.25 make 5; on 2026-12-01 the later 1.25 comes first (6), then 2.5
    // (8.5, to the even 8); the other way round would give 7.5 to 8, then 9.25 to 9.
    std::vector<LogRow> rows = {
        {"a", "2026-11-30", "23:10", "local", "LTE", 600, 1, 1000000, 20000},
        {"b", "2026-12-01", "09:00", "local", "LAN", 0, 1, 512, 0},
        {"c", "2026-12-01", "10:00", "local", "LAN", 0, 1, 200, 56},
        {"d", "2026-12-01", "09:30", "local", "LTE", 3601, 1, 7000000, 300000},
        {"e", "2026-11-02", "12:00", "local", "lan", 125, 1, 768, 0},
        {"f", "2026-11-02", "11:00", "local", "Lan", 59, 1, 256, 0},
        {"g", "2026-12-24", "18:00", "local", "Wi-Fi", 7201, 1, 123456789, 9876543},
        {"h", "2026-11-30", "08:00", "local", "LTE", 1, 1, 0, 0},
    };
    // Enough rows elsewhere that a short period is read through the start index.
    for (int minute = 0; minute < 40; ++minute) {
        rows.push_back({"z", "2026-10-01", "10:" + std::to_string(10 + minute), "local", "VPN",
                        minute, 1, minute, 0});
    }
    const std::string tariffs = std::string(kTariffs) + "[LTE]\nTime_cost=0.00007\n";
    LogFilter pattern;
    pattern.device_pattern = "L%";
    const std::vector<LogFilter> filters = {LogFilter{}, dates("2026-12-01", "2026-12-01"), pattern,
                                            dates("2026-11-30", "2026-12-01")};
    std::vector<LogRow> in_order = rows;
    std::sort(in_order.begin(), in_order.end(), [](const LogRow& a, const LogRow& b) {
        return a.startdate != b.startdate ? a.startdate < b.startdate : a.starttime < b.starttime;
    });
    std::vector<LogRow> backwards(in_order.rbegin(), in_order.rend());
    std::vector<std::vector<Outcome>> figures;
    for (const auto& written : {in_order, rows, backwards}) {
        std::filesystem::remove(m_log);
        create_log_db(m_log);
        write_rows(written);
        // A row erased: the rowids of a plain pass no longer follow one another.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_log.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(
            sqlite3_exec(db, "DELETE FROM log WHERE Devuniqueid = 'z' AND starttime = '10:30'",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
        const std::string ini = m_dir.write("config/dev.ini", tariffs).string();
        std::vector<Outcome>& outcomes = figures.emplace_back();
        for (const LogFilter& filter : filters) {
            EXPECT_EQ(expect_as_the_view(filter, tariffs), "");
            for (GroupBy by : {GroupBy::Day, GroupBy::Month}) {
                LogDatabase log(m_log);
                TariffBook book(ini, point_decimal());
                outcomes.push_back(
                    outcome_of([&] { return read_period_usage(log, filter, by, book); }));
            }
        }
        EXPECT_EQ(outcomes[0].usage.summary.total_traffic_cost, 8);
    }
    for (size_t written = 1; written < figures.size(); ++written) {
        for (size_t at = 0; at < figures[0].size(); ++at) {
            SCOPED_TRACE(testing::Message() << "log " << written << ", case " << at);
            expect_same(figures[written][at], figures[0][at]);
        }
    }
}

// A pass reads in a transaction of its own, over a period that holds every start date as
// over any other, and ends it whether the pass succeeds or stops: what the same connection
// writes afterwards is written, and other connections see it.
TEST_F(PeriodUsageTest, APassEndsItsReadBeforeTheNextWrite) {
    create_log_db(m_log);
    write_rows(kRows);
    const std::string ini = m_dir.write("config/dev.ini", kTariffs).string();
    LogDatabase log(m_log);
    TariffBook book(ini, point_decimal());
    const LogFilter whole = dates("2026-11-01", "2026-12-31");
    EXPECT_EQ(read_period_usage(log, whole, GroupBy::Day, book).summary.conn_count, 9);
    log.insert_connection({"n", "2026-12-02", "10:00", "local", "LAN", 1, 1, 1, 1});
    // A duration past 32 bits, written by another program, stops the pass.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_log.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "INSERT INTO log VALUES ('o', '2027-01-05', '10:00', 'local', 'LAN',"
                           " 1099511627776, 1, 1, 1)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_THROW(read_period_usage(log, LogFilter{}, GroupBy::Day, book), LogDatabaseError);
    log.insert_connection({"p", "2026-12-04", "10:00", "local", "LAN", 1, 1, 1, 1});
    LogDatabase other(m_log);
    TariffBook other_book(ini, point_decimal());
    EXPECT_EQ(read_period_usage(other, whole, GroupBy::Day, other_book).summary.conn_count, 11);
}

// The log's own table holds only dates and times in the plain form; a log made elsewhere may
// hold others, which the general read groups by their text.
TEST_F(PeriodUsageTest, DatesInAnotherFormAreGroupedAsTheViewGroupsThem) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_log.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "CREATE TABLE log (Devuniqueid TEXT, startdate TEXT, starttime TEXT,"
                           " usera TEXT, Deventry TEXT COLLATE NOCASE, Duration INTEGER,"
                           " speed INTEGER, dload INTEGER, uload INTEGER)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    std::vector<LogRow> rows = kRows;
    rows.push_back({"j", "2026-12-1", "8:00", "local", "LAN", 5, 1, 7, 8});
    rows.push_back({"k", "2026-12-01", "08:00:30", "local", "LAN", 6, 1, 9, 10});
    write_rows(rows);
    expect_as_the_view(LogFilter{});
    LogDatabase log(m_log);
    TariffBook book((m_dir.path() / "config/dev.ini").string(), point_decimal());
    EXPECT_EQ(read_log_connections(log, LogFilter{}, book), nullptr) << "read the general way";
}

// Which failure ends the report, and with which message, is the same as before: the summary's
// first, then the first failing group in the groups' order, its bytes before its costs.
TEST_F(PeriodUsageTest, FailuresAreThoseOfTheViewAndItsGroups) {
    create_log_db(m_log);
    write_rows(kRows);
    write_rows({
        // Downloads past 64 bits in one group; only uploads are charged, so the summary holds.
        {"x1", "2026-11-05", "10:00", "local", "Up", 1, 1, kMax, 1},
        {"x2", "2026-11-05", "09:00", "local", "up", 1, 1, kMax, 1},
        // A cost past the range of amounts.
        {"y", "2026-12-20", "10:00", "local", "Big", 0, 1, kMax / 2, 0},
    });
    const std::string tariffs = std::string(kTariffs) +
                                "[Up]\nBw_opt=2\n"
                                "[Big]\nBw_cost=0.0003\nBw_cost_sat=0\nBw_opt=1\n";
    EXPECT_EQ(expect_as_the_view(dates("2026-11-01", "2026-11-30"), tariffs),
              "conversion: byte total out of range");
    EXPECT_EQ(expect_as_the_view(LogFilter{}, tariffs).substr(0, 17), "view: the amount ");
    // A tariff that does not convert fails the summary at its device's first row.
    EXPECT_NE(expect_as_the_view(LogFilter{}, std::string(kTariffs) + "[Lan]\nTime_cost=abc\n"),
              "");
}

}  // namespace
}  // namespace quorvane::test
