#include <cstdint>
#include <limits>
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

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAreArray;

class LogDatabaseTest : public ::testing::Test {
protected:
    LogDatabaseTest() { create_log_db(m_path); }

    std::vector<LogRow> all_rows() { return m_db.read_filtered(LogFilter{}); }

    TempDir m_dir;
    std::string m_path = (m_dir.path() / "log.db").string();
    LogDatabase m_db{m_path};
};

TEST_F(LogDatabaseTest, InsertedRowReadsBackWithAllColumns) {
    LogRow row{"3-20240105134502-7", "2024-01-05", "13:45", "local", "Home LAN", 3600,
               1000000000,           5000000000,   -1};
    m_db.insert_connection(row);
    EXPECT_THAT(all_rows(), ElementsAre(row));
    EXPECT_TRUE(m_db.is_open());
}

TEST_F(LogDatabaseTest, EmptyTableReadsNothing) {
    EXPECT_THAT(all_rows(), IsEmpty());
    EXPECT_THAT(m_db.distinct_device_names(), IsEmpty());
}

// Byte counts are 64-bit; they must survive insert, update and read unchanged and be stored
// as integers, not as text or floating point.
TEST_F(LogDatabaseTest, ByteCountsBeyond32BitsRoundTrip) {
    const std::vector<int64_t> counts = {0, 4294967295, 4294967296, 9007199254740993,
                                         std::numeric_limits<int64_t>::max()};
    const size_t n = counts.size();
    auto expect_counts = [&](bool swapped) {
        auto rows = all_rows();
        ASSERT_EQ(rows.size(), n);
        for (const auto& row : rows) {
            size_t i = std::stoul(row.devuniqueid);
            EXPECT_EQ(row.dload, swapped ? counts[n - 1 - i] : counts[i]) << i;
            EXPECT_EQ(row.uload, swapped ? counts[i] : counts[n - 1 - i]) << i;
        }
    };
    for (size_t i = 0; i < n; ++i) {
        LogRow row = log_row(std::to_string(i), "2024-01-05", "13:45");
        row.dload = counts[i];
        row.uload = counts[n - 1 - i];
        m_db.insert_connection(row);
    }
    expect_counts(false);
    for (size_t i = 0; i < n; ++i) {
        m_db.update_connection(std::to_string(i), 7, counts[n - 1 - i], counts[i]);
    }
    expect_counts(true);
    OtherConnection other(m_path);
    EXPECT_EQ(other.value("SELECT count(*) FROM log WHERE typeof(dload) <> 'integer' OR "
                          "typeof(uload) <> 'integer'"),
              "0");
}

TEST_F(LogDatabaseTest, RowsComeByDateAscendingAndTimeDescending) {
    m_db.insert_connection(log_row("a", "2024-03-01", "09:00"));
    m_db.insert_connection(log_row("b", "2024-03-02", "09:00"));
    m_db.insert_connection(log_row("c", "2024-03-01", "18:00"));
    m_db.insert_connection(log_row("d", "2024-03-02", "18:00"));
    EXPECT_THAT(ids_of(all_rows()), ElementsAre("c", "a", "d", "b"));
}

TEST_F(LogDatabaseTest, TimesCompareAsTimesAcrossTheDay) {
    m_db.insert_connection(log_row("morning", "2024-03-01", "09:05"));
    m_db.insert_connection(log_row("night", "2024-03-01", "23:59"));
    m_db.insert_connection(log_row("midnight", "2024-03-01", "00:00"));
    m_db.insert_connection(log_row("noon", "2024-03-01", "12:00"));
    EXPECT_THAT(ids_of(all_rows()), ElementsAre("night", "noon", "morning", "midnight"));
}

struct FilterCase {
    const char* name;
    LogFilter filter;
    std::vector<std::string> ids;
};

class LogFilterTest : public LogDatabaseTest, public ::testing::WithParamInterface<FilterCase> {
protected:
    void SetUp() override {
        m_db.insert_connection(log_row("lan-feb", "2024-02-29", "10:00", "LAN"));
        m_db.insert_connection(log_row("lan-mar1", "2024-03-01", "00:00", "LAN"));
        m_db.insert_connection(log_row("lower-mar2", "2024-03-02", "23:59", "lan"));
        m_db.insert_connection(log_row("wlan-mar3", "2024-03-03", "08:00", "wlan0"));
        m_db.insert_connection(log_row("lan2-mar2", "2024-03-02", "12:00", "LAN2"));
    }
};

TEST_P(LogFilterTest, SelectsTheMatchingRows) {
    EXPECT_THAT(ids_of(m_db.read_filtered(GetParam().filter)),
                UnorderedElementsAreArray(GetParam().ids));
}

LogFilter device(const char* pattern) {
    LogFilter f;
    f.device_pattern = pattern;
    return f;
}

LogFilter dates(const char* from, const char* to, const char* pattern = "%") {
    LogFilter f = device(pattern);
    f.dates = LogFilter::DateRange{from, to};
    return f;
}

LogFilter user(const char* pattern) {
    LogFilter f;
    f.user_pattern = pattern;
    return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogFilterTest,
    ::testing::Values(
        FilterCase{"Everything",
                   LogFilter{},
                   {"lan-feb", "lan-mar1", "lower-mar2", "wlan-mar3", "lan2-mar2"}},
        FilterCase{"NameIgnoresCase", device("lan"), {"lan-feb", "lan-mar1", "lower-mar2"}},
        FilterCase{"UpperCaseName", device("LAN"), {"lan-feb", "lan-mar1", "lower-mar2"}},
        FilterCase{"NameWithoutWildcardIsWhole", device("wlan"), {}},
        FilterCase{"Wildcard",
                   device("%lan%"),
                   {"lan-feb", "lan-mar1", "lower-mar2", "wlan-mar3", "lan2-mar2"}},
        FilterCase{"RangeIncludesBothEnds",
                   dates("2024-03-01", "2024-03-02"),
                   {"lan-mar1", "lower-mar2", "lan2-mar2"}},
        FilterCase{"OneDay", dates("2024-02-29", "2024-02-29"), {"lan-feb"}},
        FilterCase{
            "RangeAndDevice", dates("2024-03-01", "2024-03-03", "Lan"), {"lan-mar1", "lower-mar2"}},
        FilterCase{"ReversedRangeIsEmpty", dates("2024-03-03", "2024-03-01"), {}},
        FilterCase{"OtherUser", user("admin"), {}},
        FilterCase{"LocalUser",
                   user("LOCAL"),
                   {"lan-feb", "lan-mar1", "lower-mar2", "wlan-mar3", "lan2-mar2"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Text in any other form would compare wrongly against the stored dates, so it is refused.
TEST_F(LogDatabaseTest, FilterDateThatIsNotAnIsoDateIsRefused) {
    m_db.insert_connection(log_row("a", "2024-03-01", "09:00"));
    for (const char* bad :
         {"3/01/2024", "2024-3-01", "2024-02-30", "2024-13-01", "", "0000-01-01", "2024-03-01 "}) {
        EXPECT_THROW(m_db.read_filtered(dates(bad, "2024-12-31")), LogDatabaseError) << bad;
        EXPECT_THROW(m_db.read_filtered(dates("2024-01-01", bad)), LogDatabaseError) << bad;
    }
}

TEST_F(LogDatabaseTest, RowWithBadStartIsRefusedAndNothingIsWritten) {
    for (auto row : {log_row("a", "2024-03-01", "9:00"), log_row("b", "1/03/2024", "09:00"),
                     log_row("c", "2024-03-01", "09:00:00")}) {
        EXPECT_THROW(m_db.insert_connection(row), LogDatabaseError) << row.devuniqueid;
    }
    EXPECT_THAT(all_rows(), IsEmpty());
}

TEST_F(LogDatabaseTest, DistinctNamesIgnoreLetterCase) {
    m_db.insert_connection(log_row("1", "2024-03-01", "09:00", "lan"));
    m_db.insert_connection(log_row("2", "2024-03-01", "10:00", "Wi-Fi"));
    m_db.insert_connection(log_row("3", "2024-03-01", "11:00", "LAN"));
    m_db.insert_connection(log_row("4", "2024-03-01", "12:00", "ppp0"));
    m_db.insert_connection(log_row("5", "2024-03-01", "13:00", "wi-fi"));
    m_db.insert_connection(log_row("6", "2024-03-01", "14:00", "LAN2"));
    // Each device once, under the spelling of its latest row.
    EXPECT_THAT(m_db.distinct_device_names(), ElementsAre("LAN", "LAN2", "ppp0", "wi-fi"));
}

TEST_F(LogDatabaseTest, UpdateRewritesOnlyDurationAndBytesOfThatConnection) {
    LogRow first = log_row("first", "2024-03-01", "09:00");
    LogRow second = log_row("second", "2024-03-01", "10:00");
    m_db.insert_connection(first);
    m_db.insert_connection(second);
    m_db.update_connection("first", 125, 6000000000, 42);
    first.duration = 125;
    first.dload = 6000000000;
    first.uload = 42;
    EXPECT_THAT(all_rows(), ElementsAre(second, first));
}

TEST_F(LogDatabaseTest, UpdateOfAnUnknownIdChangesNothing) {
    LogRow row = log_row("known", "2024-03-01", "09:00");
    m_db.insert_connection(row);
    EXPECT_NO_THROW(m_db.update_connection("unknown", 1, 2, 3));
    EXPECT_NO_THROW(m_db.update_connection("KNOWN", 1, 2, 3));
    EXPECT_THAT(all_rows(), ElementsAre(row));
}

// Names and ids carry quote characters of both kinds through every statement.
TEST_F(LogDatabaseTest, QuotesInNamesAndIdsAreJustText) {
    const std::string name = "Bob's \"fast\" line";
    const std::string id = "7-20240105134502-'\"";
    m_db.insert_connection(log_row(id, "2024-03-01", "09:00", name));
    m_db.insert_connection(log_row("other", "2024-03-01", "10:00", "LAN"));
    m_db.update_connection(id, 99, 1, 2);

    EXPECT_THAT(m_db.distinct_device_names(), ElementsAre(name, "LAN"));
    LogFilter filter = device("bob's \"FAST\" line");
    auto rows = m_db.read_filtered(filter);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].devuniqueid, id);
    EXPECT_EQ(rows[0].deventry, name);
    EXPECT_EQ(rows[0].duration, 99);

    m_db.erase(LogFilter{}, {id});
    EXPECT_THAT(ids_of(all_rows()), ElementsAre(id));
    m_db.delete_device(name);
    EXPECT_THAT(all_rows(), IsEmpty());
}

// Values written by other means than this program: a reader refuses them instead of
// reading them as 0.
TEST_F(LogDatabaseTest, NonNumericByteCountInTheFileFailsTheRead) {
    m_db.insert_connection(log_row("a", "2024-03-01", "09:00"));
    {
        OtherConnection other(m_path);
        other.exec(
            "CREATE TABLE loose AS SELECT * FROM log;"
            "DROP TABLE log;"
            "CREATE TABLE log (Devuniqueid, startdate, starttime, usera, Deventry, Duration,"
            " speed, dload, uload);"
            "INSERT INTO log SELECT * FROM loose;"
            "UPDATE log SET dload = 'lots';");
    }
    LogDatabase db(m_path);
    try {
        db.read_filtered(LogFilter{});
        FAIL() << "no error";
    } catch (const LogDatabaseError& e) {
        EXPECT_THAT(e.what(), ::testing::HasSubstr("lots"));
        EXPECT_THAT(e.what(), ::testing::HasSubstr("dload"));
    }
}

}  // namespace
}  // namespace quorvane::test
