#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "logdb/LogDatabase.h"
#include "support/LogDbFixture.h"
#include "support/LogTestRows.h"
#include "support/TempDir.h"

namespace quorvane::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class LogEraseTest : public ::testing::Test {
protected:
    LogEraseTest() {
        create_log_db(m_path);
        m_db.insert_connection(log_row("lan-1", "2024-03-01", "09:00", "LAN"));
        m_db.insert_connection(log_row("lan-2", "2024-03-02", "09:00", "lan"));
        m_db.insert_connection(log_row("lan-3", "2024-03-03", "09:00", "LAN"));
        m_db.insert_connection(log_row("wlan-1", "2024-03-02", "10:00", "wlan0"));
        m_db.insert_connection(log_row("pct-1", "2024-03-02", "11:00", "100%"));
        m_db.insert_connection(log_row("pct-2", "2024-03-02", "12:00", "1000"));
        m_db.insert_connection(log_row("under-1", "2024-03-02", "13:00", "L_N"));
    }

    std::vector<std::string> remaining() { return ids_of(m_db.read_filtered(LogFilter{})); }

    TempDir m_dir;
    std::string m_path = (m_dir.path() / "log.db").string();
    LogDatabase m_db{m_path};
};

LogFilter filter(const char* pattern, const char* from = nullptr, const char* to = nullptr) {
    LogFilter f;
    f.device_pattern = pattern;
    if (from) f.dates = LogFilter::DateRange{from, to};
    return f;
}

TEST_F(LogEraseTest, EraseSparesTheListedConnections) {
    m_db.erase(filter("lan"), {"lan-2", "wlan-1", "no-such-id"});
    EXPECT_THAT(remaining(), UnorderedElementsAre("lan-2", "wlan-1", "pct-1", "pct-2", "under-1"));
}

TEST_F(LogEraseTest, EraseWithoutSparedIdsDeletesEveryMatchingRow) {
    m_db.erase(filter("LAN"), {});
    EXPECT_THAT(remaining(), UnorderedElementsAre("wlan-1", "pct-1", "pct-2", "under-1"));
}

TEST_F(LogEraseTest, EraseKeepsToTheDateRange) {
    m_db.erase(filter("%", "2024-03-02", "2024-03-03"), {"pct-2"});
    EXPECT_THAT(remaining(), UnorderedElementsAre("lan-1", "pct-2"));
}

TEST_F(LogEraseTest, EraseOfEverythingSparesOnlyTheListedIds) {
    m_db.erase(LogFilter{}, {"under-1"});
    EXPECT_THAT(remaining(), ElementsAre("under-1"));
    m_db.erase(LogFilter{}, {});
    EXPECT_THAT(remaining(), IsEmpty());
}

// The spared ids of one erase must not carry over to the next.
TEST_F(LogEraseTest, SparedIdsHoldForOneEraseOnly) {
    m_db.erase(filter("wlan0"), {"wlan-1"});
    m_db.erase(filter("wlan0"), {"lan-1"});
    EXPECT_THAT(remaining(),
                UnorderedElementsAre("lan-1", "lan-2", "lan-3", "pct-1", "pct-2", "under-1"));
}

TEST_F(LogEraseTest, ManySparedIds) {
    std::vector<std::string> spared;
    for (int i = 0; i < 40000; ++i) spared.push_back("id-" + std::to_string(i));
    spared.push_back("pct-1");
    m_db.erase(LogFilter{}, spared);
    EXPECT_THAT(remaining(), ElementsAre("pct-1"));
}

TEST_F(LogEraseTest, BadFilterDateErasesNothing) {
    EXPECT_THROW(m_db.erase(filter("%", "3/01/2024", "2024-03-31"), {}), LogDatabaseError);
    EXPECT_EQ(remaining().size(), 7u);
}

struct DeviceDeleteCase {
    const char* name;
    std::vector<std::string> kept;
};

class DeviceDeleteTest : public LogEraseTest,
                         public ::testing::WithParamInterface<DeviceDeleteCase> {};

// A device's rows go whatever the letter case; "%" and "_" in a name are plain characters,
// so no other device loses a row.
TEST_P(DeviceDeleteTest, DeletesExactlyThatDevice) {
    m_db.delete_device(GetParam().name);
    EXPECT_THAT(remaining(), ::testing::UnorderedElementsAreArray(GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceDeleteTest,
    ::testing::Values(
        DeviceDeleteCase{"lan", {"wlan-1", "pct-1", "pct-2", "under-1"}},
        DeviceDeleteCase{"100%", {"lan-1", "lan-2", "lan-3", "wlan-1", "pct-2", "under-1"}},
        DeviceDeleteCase{"L_N", {"lan-1", "lan-2", "lan-3", "wlan-1", "pct-1", "pct-2"}},
        DeviceDeleteCase{"%", {"lan-1", "lan-2", "lan-3", "wlan-1", "pct-1", "pct-2", "under-1"}},
        DeviceDeleteCase{"LAN ",
                         {"lan-1", "lan-2", "lan-3", "wlan-1", "pct-1", "pct-2", "under-1"}}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
}  // namespace quorvane::test
