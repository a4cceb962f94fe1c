#include "logdb/OrderedLogRows.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
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

// The order the view promises is the one the engine's ORDER BY gives; a log full of equal
// dates and equal start times, read whole and by date ranges, must come out the same.
TEST(OrderedLogRows, ReadRowsComeInTheEnginesOrder) {
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
    // A range over the whole log or most of it is read by a pass over the table, a narrow
    // one through the start index.
    LogFilter whole, wide, narrow;
    whole.dates = LogFilter::DateRange{"2024-01-01", "2024-12-31"};
    wide.dates = LogFilter::DateRange{"2024-02-02", "2024-03-03"};
    narrow.dates = LogFilter::DateRange{"2024-02-02", "2024-02-02"};
    const std::pair<LogFilter, std::string> reads[] = {
        {LogFilter{}, ""},
        {whole, "WHERE startdate BETWEEN '2024-01-01' AND '2024-12-31'"},
        {wide, "WHERE startdate BETWEEN '2024-02-02' AND '2024-03-03'"},
        {narrow, "WHERE startdate = '2024-02-02'"}};
    for (const auto& [filter, where] : reads) {
        const std::vector<LogRow> all = db.read_filtered(filter);
        EXPECT_EQ(ids_of(all), engine_order(where)) << where;
        // The grid's read: the same rows in the same order, without id, user tag and speed.
        const OrderedLogRows shown = db.read_ordered(filter, OrderedLogRows::Columns::shown);
        ASSERT_EQ(shown.size(), all.size()) << where;
        for (size_t at = 0; at < all.size(); ++at) {
            LogRow expected = all[at];
            expected.devuniqueid.clear();
            expected.usera.clear();
            expected.speed = 0;
            ASSERT_EQ(shown[at].copy(), expected) << where << " row " << at;
        }
    }
}

// A file written without the schema's checks may hold starts in other forms; they still
// order as texts.
TEST(OrderedLogRows, StartsInOtherFormsOrderAsTexts) {
    OrderedLogRows::Collector rows;
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
TEST(OrderedLogRows, KeepsEveryColumn) {
    OrderedLogRows::Collector rows;
    const std::string long_name(3000, 'x');
    rows.add("1-20240301090000-7", "2024-03-01", "09:00", "local", long_name, 3600, 100000000,
             5000000000, -1, 10);
    rows.add("", "2024-03-01", "10:00", "", "", 0, 0, 0, 0, 11);
    EXPECT_THAT(rows.take().copies(),
                ElementsAre(LogRow{"", "2024-03-01", "10:00", "", "", 0, 0, 0, 0},
                            LogRow{"1-20240301090000-7", "2024-03-01", "09:00", "local", long_name,
                                   3600, 100000000, 5000000000, -1}));
    EXPECT_TRUE(rows.take().empty());
}

// Names are told apart by every byte: at each place of names of every length up to past the
// short ones, long names alike but for the last byte, and names that end in NUL bytes.
TEST(OrderedLogRows, DeviceNamesAreToldApartByEveryByte) {
    std::vector<std::string> names = {std::string(300, 'y') + "a", std::string(300, 'y') + "b",
                                      "LAN", "lan"};
    for (size_t length = 0; length <= 20; ++length) {
        const std::string base(length, 'a');
        names.push_back(base);
        names.push_back(base + '\0');
        for (size_t at = 0; at < length; ++at) {
            std::string other = base;
            other[at] = 'b';
            names.push_back(other);
        }
    }
    OrderedLogRows::Collector collector(OrderedLogRows::Columns::shown);
    int64_t rowid = 0;
    for (int round = 0; round < 2; ++round) {
        for (const auto& name : names)
            collector.add({}, "2024-03-01", "10:00", {}, name, 60, 0, 1, 2, ++rowid);
    }
    const OrderedLogRows rows = collector.take();
    ASSERT_EQ(rows.size(), 2 * names.size());
    EXPECT_EQ(rows.device_count(), names.size());
    for (size_t at = 0; at < rows.size(); ++at) {
        // The later round comes first; each row keeps its own name and number.
        const std::string& name = names[names.size() - 1 - at % names.size()];
        EXPECT_EQ(rows[at].deventry, name) << at;
        EXPECT_EQ(rows.device_name(rows.usage(at).device), name) << at;
    }
}

// The counting passes against a plain sort of the same rows: names with quotes, %, [, ], =,
// letter-case variants of one name and long ones, many equal dates and start times, starts in
// other forms, rowids in the order of a pass over the table and in another order (through an
// index), with every column and with the shown ones.
TEST(OrderedLogRows, OrderAsAPlainSortOfTheRows) {
    const std::vector<std::string> names = {
        "LAN",  "lan", "Lan",  "Bob's \"50%\"",      "[x]=1",
        "a]b[", "",    "eth0", std::string(40, 'n'), std::string(40, 'n') + "2"};
    const std::vector<std::string> dates = {"2024-03-01", "2024-03-02", "2024-3-1",
                                            "2023-12-31", "",           "2024-03-01 "};
    const std::vector<std::string> times = {"09:00", "9:00", "10:00", "23:59", "", "09:00:30"};
    struct Added {
        LogRow row;
        int64_t rowid;
    };
    std::mt19937 random(11);
    const auto pick = [&](const std::vector<std::string>& texts) {
        return texts[random() % texts.size()];
    };
    for (const bool ascending : {true, false}) {
        for (const auto columns : {OrderedLogRows::Columns::all, OrderedLogRows::Columns::shown}) {
            std::vector<Added> added;
            for (int i = 0; i < 3000; ++i) {
                LogRow row{"id-" + std::to_string(i),
                           pick(dates),
                           pick(times),
                           "user" + std::to_string(i % 3),
                           pick(names),
                           i % 7,
                           i % 5,
                           int64_t{i} << 33,
                           -i};
                added.push_back({row, 10 + 3 * int64_t{i}});
            }
            if (!ascending) {
                std::vector<int64_t> rowids;
                for (const auto& one : added) rowids.push_back(one.rowid);
                std::shuffle(rowids.begin(), rowids.end(), random);
                for (size_t at = 0; at < added.size(); ++at) added[at].rowid = rowids[at];
            }
            OrderedLogRows::Collector collector(columns);
            for (const auto& [row, rowid] : added) {
                collector.add(row.devuniqueid, row.startdate, row.starttime, row.usera,
                              row.deventry, row.duration, row.speed, row.dload, row.uload, rowid);
            }
            const OrderedLogRows rows = collector.take();
            std::sort(added.begin(), added.end(), [](const Added& a, const Added& b) {
                if (a.row.startdate != b.row.startdate) return a.row.startdate < b.row.startdate;
                if (a.row.starttime != b.row.starttime) return a.row.starttime > b.row.starttime;
                return a.rowid > b.rowid;
            });
            ASSERT_EQ(rows.size(), added.size());
            for (size_t at = 0; at < added.size(); ++at) {
                LogRow expected = added[at].row;
                if (columns == OrderedLogRows::Columns::shown) {
                    expected.devuniqueid.clear();
                    expected.usera.clear();
                    expected.speed = 0;
                }
                ASSERT_EQ(rows[at].copy(), expected) << ascending << " row " << at;
                const OrderedLogRows::Usage usage = rows.usage(at);
                EXPECT_EQ(rows.device_name(usage.device), expected.deventry);
                EXPECT_EQ(usage.duration, expected.duration);
                EXPECT_EQ(usage.dload, expected.dload);
                EXPECT_EQ(usage.uload, expected.uload);
            }
            EXPECT_EQ(rows.device_count(), names.size());
        }
    }
}

// A copy holds its own texts: it reads the same after the rows it was made of are gone, and
// cutting it short leaves the original whole.
TEST(OrderedLogRows, ACopyOwnsItsTexts) {
    auto original = std::make_unique<OrderedLogRows>([] {
        OrderedLogRows::Collector rows;
        rows.add("id-1", "2024-03-01", "09:00", "local", "LAN", 60, 7, 1, 2, 1);
        rows.add(std::string(300, 'i'), "2024-03-02", "09:00", "other", "Wi-Fi", 90, 8, 3, 4, 2);
        return rows.take();
    }());
    OrderedLogRows copy = *original;
    copy.truncate(1);
    EXPECT_EQ(original->size(), 2u);
    const std::vector<LogRow> expected = original->copies();
    OrderedLogRows whole = *original;
    original.reset();
    EXPECT_EQ(whole.copies(), expected);
    EXPECT_THAT(copy.copies(), ElementsAre(expected[0]));
}

}  // namespace
}  // namespace quorvane::test
