#pragma once

#include <string>
#include <vector>

#include "platform/NetTypes.h"
#include "traffic/Tmibdata.h"

namespace quorvane {

class LogDatabase;

inline constexpr const char* kStatePresent = "Present";
inline constexpr const char* kStateRemoved = "Removed";
inline constexpr const char* kKindModem = "modem";
inline constexpr const char* kKindEthernet = "ethernet";
inline constexpr const char* kKindLoopback = "loopback";
inline constexpr const char* kKindDatabase = "database";

// A device a user may filter on or configure.
struct Tdev_list {
    std::string name;
    std::string state;  // "Present" or "Removed"
    std::string kind;   // "modem", "ethernet", "loopback" or "database"

    bool operator==(const Tdev_list&) const = default;
};
using Tdev_list_arr = std::vector<Tdev_list>;

// The phone-book entries (modem), then the device table's entries other than dial-up
// ones (loopback or ethernet), then the names only the log knows (Removed, database) that
// are not yet listed with exactly that spelling and are not blank. Any failure (a log
// database that cannot be read) gives an empty list.
Tdev_list_arr build_device_list(const TDialupEntriesArray& phone_book, const Tmibarray& devices,
                                LogDatabase& log);

// The index of a kind's picture in the device box: 1 modem, 2 ethernet, 3 loopback,
// 4 database (0 is "All").
int device_picture_index(const std::string& kind);

}  // namespace quorvane
