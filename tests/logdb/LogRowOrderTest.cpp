#include "logdb/LogRowOrder.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "LogTestRows.h"
#include "OtherConnection.h"
#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using ::testing::ElementsAre;

// The order the view promises is the one the engine's ORDER BY gives; a log full of equal
// dates and equal start times, read whole and by a date range, must come out the same.
TEST(LogRowOrder, ReadRowsComeInTheEnginesOrder) {
    TempDir dir;
    std::string path = (dir.path() / "log.db").string();
    create_log_db(path);
    LogDatabase db(path);
    std::mt19937 random(7);
    auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
    for (int i = 0; i < 600; ++i) {
        char date[16], time[8];
        std::snprintf(date, sizeof date, "2024-0%u-%02u", 1 + pick(3), 1 + pick(4));
        std::snprintf(time, sizeof time, "%02u:%02u", pick(24), 15 * pick(3));
        db.insert_connection(log_row(std::to_string(i), date, time));
    }
    OtherConnection engine(path);
    auto engine_order = [&](const std::string& where) {
        std::string ids = engine.value(
            "SELECT group_concat(Devuniqueid, ' ') FROM (SELECT Devuniqueid FROM log " + where +
            " ORDER BY startdate, starttime DESC, rowid DESC)");
        std::vector<std::string> split;
        for (size_t at = 0; at < ids.size();) {
            size_t end = ids.find(' ', at);
            if (end == std::string::npos) end = ids.size();
            split.push_back(ids.substr(at, end - at));
            at = end + 1;
        }
        return split;
    };
    EXPECT_EQ(ids_of(db.read_filtered(LogFilter{})), engine_order(""));
    LogFilter range;
    range.dates = LogFilter::DateRange{"2024-02-02", "2024-03-03"};
    EXPECT_EQ(ids_of(db.read_filtered(range)),
              engine_order("WHERE startdate BETWEEN '2024-02-02' AND '2024-03-03'"));
}

// A file written without the schema's checks may hold starts in other forms; they still
// order as texts.
TEST(LogRowOrder, StartsInOtherFormsOrderAsTexts) {
    LogRowsInViewOrder rows;
    int64_t rowid = 0;
    for (auto [id, date, time] : {std::tuple{"a", "2024-03-01", "9:00"},
                                  {"b", "2024-03-01", "10:00"},
                                  {"c", "2024-3-1", "09:00"},
                                  {"d", "2024-03-01", "9:00"},
                                  {"e", "2024-03-01", ""}}) {
        rows.add(id, date, time, "local", "LAN", 60, 0, 1, 2, ++rowid);
    }
    EXPECT_THAT(ids_of(rows.take()), ElementsAre("d", "a", "b", "e", "c"));
}

// Every column comes back as it was added, texts of any length and numbers alike.
TEST(LogRowOrder, KeepsEveryColumn) {
    LogRowsInViewOrder rows;
    const std::string long_name(3000, 'x');
    rows.add("1-20240301090000-7", "2024-03-01", "09:00", "local", long_name, 3600, 100000000,
             5000000000, -1, 10);
    rows.add("", "2024-03-01", "10:00", "", "", 0, 0, 0, 0, 11);
    EXPECT_THAT(rows.take(),
                ElementsAre(LogRow{"", "2024-03-01", "10:00", "", "", 0, 0, 0, 0},
                            LogRow{"1-20240301090000-7", "2024-03-01", "09:00", "local", long_name,
                                   3600, 100000000, 5000000000, -1}));
    EXPECT_THAT(rows.take(), ::testing::IsEmpty());
}

}  // namespace
}  // namespace quorvane::test
