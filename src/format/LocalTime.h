#pragma once

namespace quorvane {

// A moment of the local clock, broken down.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;

    bool operator==(const LocalTime&) const = default;
};

}  // namespace quorvane
