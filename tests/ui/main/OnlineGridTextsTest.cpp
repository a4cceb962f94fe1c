// The now-online rows kept from tick to tick: whatever changes between two ticks, the rows
// are the ones made afresh for every online device.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/main/GridTexts.h"
#include "ui/main/OnlineGridTexts.h"

namespace quorvane::test {
namespace {

Tmibdata online(const std::string& name, const std::string& time, int64_t down, int64_t up) {
    Tmibdata device;
    device.deventry = name;
    device.ip = "10.0.0.1";
    device.startdate = "2026-12-11";
    device.starttime = time;
    device.online_time = 60;
    device.dload_total = down;
    device.uload_total = up;
    return device;
}

std::vector<GridRowTexts> made_afresh(const Tmibarray& devices, const RegionalSettings& regional) {
    std::vector<GridRowTexts> rows;
    for (const Tmibdata& device : devices) {
        if (is_online_now(device)) rows.push_back(online_row_texts(device, regional));
    }
    return rows;
}

struct Change {
    const char* what;
    std::function<void(Tmibarray&, RegionalSettings&)> apply;
};

TEST(OnlineGridTextsTest, EveryTickGivesTheRowsMadeAfresh) {
    const Change changes[] = {
        {"nothing", [](Tmibarray&, RegionalSettings&) {}},
        {"a second online",
         [](Tmibarray& d, RegionalSettings&) {
             for (auto& device : d) ++device.online_time;
         }},
        {"bytes down only", [](Tmibarray& d, RegionalSettings&) { d[0].dload_total += 2048; }},
        {"bytes up only", [](Tmibarray& d, RegionalSettings&) { d[1].uload_total += 5000000; }},
        {"a new connection of the same name, same counts",
         [](Tmibarray& d, RegionalSettings&) { d[0].starttime = "10:01"; }},
        {"another device at the place",
         [](Tmibarray& d, RegionalSettings&) { d[1].deventry = "Dial \"office\" [2] = 100%"; }},
        {"a device goes offline: the rows after it move up",
         [](Tmibarray& d, RegionalSettings&) { d[0].ip = "0.0.0.0"; }},
        {"it comes back", [](Tmibarray& d, RegionalSettings&) { d[0].ip = "10.0.0.2"; }},
        {"a device appears",
         [](Tmibarray& d, RegionalSettings&) { d.push_back(online("wlan0", "11:00", 7, 8)); }},
        {"another decimal separator",
         [](Tmibarray& d, RegionalSettings& r) {
             r.decimal_separator = ",";
             r.thousands_separator = ".";
             ++d[2].online_time;
         }},
        {"all offline",
         [](Tmibarray& d, RegionalSettings&) {
             for (auto& device : d) device.ip = "0.0.0.0";
         }},
        {"all back",
         [](Tmibarray& d, RegionalSettings&) {
             for (auto& device : d) device.ip = "10.0.0.3";
         }},
    };
    Tmibarray devices = {online("eth0", "09:00", 1000, 2000), online("ppp0", "09:30", 0, 0),
                         online("veth1", "09:45", 1 << 20, 3 << 20)};
    RegionalSettings regional;
    OnlineGridTexts texts;
    for (const Change& change : changes) {
        change.apply(devices, regional);
        EXPECT_EQ(texts.rows(devices, regional), made_afresh(devices, regional)) << change.what;
    }
}

}  // namespace
}  // namespace quorvane::test
