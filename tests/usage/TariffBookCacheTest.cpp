#include "usage/TariffBookCache.h"

#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/TestLocales.h"

namespace quorvane::test {
namespace {

namespace fs = std::filesystem;

class TariffBookCacheTest : public testing::Test {
protected:
    // Writes the device options and dates the file `age` back.
    void write(const std::string& content, std::chrono::seconds age) {
        m_path = m_dir.write("config/dev.ini", content);
        fs::last_write_time(m_path, m_written - age);
    }
    Tariff fresh(const std::string& device) {
        return TariffBook(m_path.string(), point_decimal()).tariff_of(device);
    }

    TempDir m_dir;
    fs::path m_path = m_dir.path() / "config/dev.ini";
    const fs::file_time_type m_written = fs::file_time_type::clock::now();
};

TEST_F(TariffBookCacheTest, KeepsTheBookWhileTheFileStaysTheSame) {
    write("[LAN]\nTime_cost=1\n", std::chrono::hours(1));
    const Tariff one = fresh("LAN");
    TariffBookCache cache(m_path.string(), point_decimal());
    TariffBook* first = &cache.current();
    EXPECT_EQ(first->tariff_of("LAN"), one);

    // Content of the same size and the same time: nothing tells a change, nothing is read.
    write("[LAN]\nTime_cost=2\n", std::chrono::hours(1));
    EXPECT_EQ(&cache.current(), first);
    EXPECT_EQ(cache.current().tariff_of("LAN"), one);
}

TEST_F(TariffBookCacheTest, AChangedFileIsReadAtTheNextRefresh) {
    write("[LAN]\nTime_cost=1\n", std::chrono::hours(1));
    TariffBookCache cache(m_path.string(), point_decimal());
    cache.current().tariff_of("LAN");

    struct Case {
        const char* what;
        const char* content;
        std::chrono::seconds age;
    };
    for (const Case& c :
         {Case{"a longer text", "[LAN]\nTime_cost=2.5\n", std::chrono::hours(1)},
          Case{"a later time", "[LAN]\nTime_cost=3.5\n", std::chrono::minutes(30)},
          Case{"an earlier time", "[LAN]\nTime_cost=4.5\n", std::chrono::hours(2)}}) {
        write(c.content, c.age);
        EXPECT_EQ(cache.current().tariff_of("LAN"), fresh("LAN")) << c.what;
    }

    fs::remove(m_path);
    EXPECT_EQ(cache.current().tariff_of("LAN"), Tariff{}) << "removed";
    write("[LAN]\nTime_cost=5\n", std::chrono::hours(1));
    EXPECT_EQ(cache.current().tariff_of("LAN"), fresh("LAN")) << "written again";
}

TEST_F(TariffBookCacheTest, AFileWrittenJustNowIsReadAtEveryRefresh) {
    // Two writes within the file system clock's tick look alike; a fresh file is not trusted.
    write("[LAN]\nTime_cost=1\n", std::chrono::seconds(0));
    TariffBookCache cache(m_path.string(), point_decimal());
    cache.current().tariff_of("LAN");
    write("[LAN]\nTime_cost=2\n", std::chrono::seconds(0));
    EXPECT_EQ(cache.current().tariff_of("LAN"), fresh("LAN"));
    EXPECT_NE(fresh("LAN"), Tariff{});
}

}  // namespace
}  // namespace quorvane::test
