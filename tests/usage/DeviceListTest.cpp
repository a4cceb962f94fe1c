#include "usage/DeviceList.h"

#include <string>

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

Tmibdata device(const std::string& deventry, const std::string& if_type,
                const std::string& ip = "192.168.1.2") {
    Tmibdata d;
    d.deventry = deventry;
    d.if_type = if_type;
    d.ip = ip;
    return d;
}

class DeviceListTest : public testing::Test {
protected:
    DeviceListTest() { create_log_db(m_path); }

    void log_device(const std::string& name) {
        m_db.insert_connection(
            log_row("id" + std::to_string(++m_rows), "2024-03-01", "09:00", name));
    }

    TempDir m_dir;
    std::string m_path = (m_dir.path() / "log.db").string();
    LogDatabase m_db{m_path};
    int m_rows = 0;
};

TEST_F(DeviceListTest, PhoneBookThenDeviceTableThenNamesOnlyTheLogKnows) {
    const TDialupEntriesArray phone_book = {{"Office dial-up", ""}, {"Backup ISP", ""}};
    const Tmibarray devices = {
        device("Loopback", "MIB_IF_TYPE_LOOPBACK"),
        device("LAN", "MIB_IF_TYPE_ETHERNET"),
        // Connected dial-up links are listed by their phone-book entries only.
        device("Office dial-up", "MIB_IF_TYPE_PPP"),
        device("slip0", "MIB_IF_TYPE_SLIP"),
        // Offline, but still in the device table: present.
        device("Wi-Fi", "MIB_IF_TYPE_OTHER", "0.0.0.0"),
    };
    for (const char* name : {"Old modem", "LAN", "Backup ISP", "Wi-Fi", "eth9"}) log_device(name);
    EXPECT_THAT(build_device_list(phone_book, devices, m_db),
                ElementsAre(Tdev_list{"Office dial-up", "Present", "modem"},
                            Tdev_list{"Backup ISP", "Present", "modem"},
                            Tdev_list{"Loopback", "Present", "loopback"},
                            Tdev_list{"LAN", "Present", "ethernet"},
                            Tdev_list{"Wi-Fi", "Present", "ethernet"},
                            Tdev_list{"eth9", "Removed", "database"},
                            Tdev_list{"Old modem", "Removed", "database"}));
}

// Letter case counts: a present LAN and logged rows under lan are two entries.
TEST_F(DeviceListTest, NamesThatDifferInLetterCaseAreListedApart) {
    log_device("lan");
    log_device("office DIAL-UP");
    EXPECT_THAT(
        build_device_list({{"Office dial-up", ""}}, {device("LAN", "MIB_IF_TYPE_ETHERNET")}, m_db),
        ElementsAre(Tdev_list{"Office dial-up", "Present", "modem"},
                    Tdev_list{"LAN", "Present", "ethernet"},
                    Tdev_list{"lan", "Removed", "database"},
                    Tdev_list{"office DIAL-UP", "Removed", "database"}));
}

TEST_F(DeviceListTest, BlankLogNamesAreSkipped) {
    for (const char* name : {"", "   ", "\t", "Old modem"}) log_device(name);
    EXPECT_THAT(build_device_list({}, {}, m_db),
                ElementsAre(Tdev_list{"Old modem", "Removed", "database"}));
}

TEST_F(DeviceListTest, EmptyLogListsThePresentDevicesOnly) {
    EXPECT_THAT(build_device_list({}, {device("LAN", "MIB_IF_TYPE_ETHERNET")}, m_db),
                ElementsAre(Tdev_list{"LAN", "Present", "ethernet"}));
}

TEST_F(DeviceListTest, ALogThatCannotBeReadGivesAnEmptyList) {
    LogDatabase missing((m_dir.path() / "none.db").string());
    EXPECT_THAT(build_device_list({{"Office dial-up", ""}}, {device("LAN", "MIB_IF_TYPE_ETHERNET")},
                                  missing),
                IsEmpty());
    auto not_a_database = m_dir.write("text.db", "this is no database\n");
    LogDatabase broken(not_a_database.string());
    EXPECT_THAT(build_device_list({}, {device("LAN", "MIB_IF_TYPE_ETHERNET")}, broken), IsEmpty());
}

TEST(DeviceListPictures, ByKind) {
    EXPECT_EQ(device_picture_index("modem"), 1);
    EXPECT_EQ(device_picture_index("ethernet"), 2);
    EXPECT_EQ(device_picture_index("loopback"), 3);
    EXPECT_EQ(device_picture_index("database"), 4);
    EXPECT_EQ(device_picture_index("All"), 0);
}

}  // namespace
}  // namespace quorvane::test
