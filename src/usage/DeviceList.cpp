#include "usage/DeviceList.h"

#include <algorithm>
#include <exception>

#include "logdb/LogDatabase.h"
#include "traffic/InterfaceNames.h"

namespace quorvane {

namespace {

// The interface type name of serial-line dial-up links, beside kTypePpp.
constexpr const char* kTypeSlip = "MIB_IF_TYPE_SLIP";

bool is_blank(const std::string& name) {
    return name.find_first_not_of(" \t") == std::string::npos;
}

bool listed(const Tdev_list_arr& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const Tdev_list& device) { return device.name == name; });
}

Tdev_list_arr list_devices(const TDialupEntriesArray& phone_book, const Tmibarray& devices,
                           LogDatabase& log) {
    Tdev_list_arr list;
    for (const auto& entry : phone_book)
        list.push_back({entry.entry_name, kStatePresent, kKindModem});
    // Dial-up links are in the list already, by their phone-book entries.
    for (const auto& device : devices) {
        if (device.if_type == kTypePpp || device.if_type == kTypeSlip) continue;
        list.push_back({device.deventry, kStatePresent,
                        device.if_type == kTypeLoopback ? kKindLoopback : kKindEthernet});
    }
    // Letter case counts here: a present LAN and logged rows under lan are two entries.
    for (const auto& name : log.distinct_device_names()) {
        if (!is_blank(name) && !listed(list, name)) {
            list.push_back({name, kStateRemoved, kKindDatabase});
        }
    }
    return list;
}

}  // namespace

Tdev_list_arr build_device_list(const TDialupEntriesArray& phone_book, const Tmibarray& devices,
                                LogDatabase& log) {
    try {
        return list_devices(phone_book, devices, log);
    } catch (const std::exception&) {
        // The device box then offers "All" alone; the next request tries again.
        return {};
    }
}

int device_picture_index(const std::string& kind) {
    if (kind == kKindModem) return 1;
    if (kind == kKindEthernet) return 2;
    if (kind == kKindLoopback) return 3;
    if (kind == kKindDatabase) return 4;
    return 0;
}

}  // namespace quorvane
