#include <gtest/gtest.h>

#include <string>

#include "config/IniFile.h"
#include "traffic/EngineFixture.h"

namespace quorvane {
namespace {

using test::ipv4;

// A device's section in dev.ini is its name exactly, whatever the alias holds: written by
// the store, its "do not log" and "not on the tray" reach the engine.
class DeviceSectionName : public test::EngineFixture,
                          public testing::WithParamInterface<std::string> {};

TEST_P(DeviceSectionName, LogAndTrayOptionsAreHonoured) {
    const std::string& name = GetParam();
    net.add_ethernet(2, name, ipv4(10, 0, 0, 2));
    net.add_ethernet(3, "Office", ipv4(10, 0, 0, 3));
    IniFile dev_ini(dir.str() + "/config/dev.ini");
    dev_ini.write_string("Office", "log_option", "1");
    dev_ini.write_string(name, "log_option", "0");
    dev_ini.write_string(name, "tray_option", "0");

    tick(31);
    ASSERT_EQ(device(2).deventry, name);
    EXPECT_EQ(device(2).log_option, 0);
    EXPECT_EQ(device(2).tray_option, 0);
    auto logged = rows();
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_EQ(logged[0].deventry, "Office");

    // Switched on again: logged from the next tick.
    dev_ini.write_string(name, "log_option", "1");
    engine->set_dev_cfg_changed();
    tick();
    EXPECT_EQ(device(2).log_option, 1);
    EXPECT_EQ(rows().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Names, DeviceSectionName,
                         testing::Values("Office [LAN]", "[LAN]", "LAN]", "up=down", "LAN; cable",
                                         "#2 LAN", "Bob's \"fast\" line", "[a] = [b] ; #c"),
                         [](const testing::TestParamInfo<std::string>& info) {
                             return "Name" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace quorvane
