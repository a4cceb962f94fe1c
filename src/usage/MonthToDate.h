#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "format/LocalTime.h"
#include "logdb/OrderedLogRows.h"
#include "traffic/Tmibdata.h"
#include "usage/CostModel.h"
#include "usage/TariffBook.h"
#include "usage/Tlog_summary.h"

namespace quorvane {

class LogDatabase;

// Each device's month to date: its logged connections that started in this calendar month
// and its connection in progress, priced by the cost model. The log is read only for the
// base (set_base / read_base: at start, at the turn of the month, after settings change);
// every tick then follows the device table's live figures. The rows of the connections
// open at the base's reading are left out of it, as their figures come live; a connection
// that ends is added to the base with its last figures. A connection still open at the turn
// of the month counts, in the new month, with what it does from then on.
class MonthToDate {
public:
    // The month of `now`, and its base from the rows of the log that started in that month
    // (the view's order; the rows of connections open in `devices` left out).
    void set_base(const LocalTime& now, const OrderedLogRows& month_rows, const Tmibarray& devices,
                  TariffBook& tariffs);
    // The same, reading the month's rows from the log. Throws LogDatabaseError.
    void read_base(LogDatabase& log, const LocalTime& now, const Tmibarray& devices,
                   TariffBook& tariffs);
    // Whether `now` lies in another month than the base (or no base was set).
    bool is_stale(const LocalTime& now) const;

    // Follows the open connections of the logged devices: their present figures, and the
    // connections that ended since the last call go into the base.
    void follow(const Tmibarray& devices, TariffBook& tariffs);

    // The device's month to date (its name without regard to ASCII letter case).
    Tlog_summary of(const std::string& device) const;

    int year() const { return m_year; }
    int month() const { return m_month; }

private:
    struct Figures {
        int64_t seconds = 0, dload = 0, uload = 0;
    };
    struct Live {
        std::string device;
        Figures now;
        Figures at_month_start;  // what it had done before this month (or before it was seen)
        ConnectionCost cost;     // of the part in this month
    };
    // A logged connection with its row in the log.
    static bool is_open(const Tmibdata& device);
    static Figures figures_of(const Tmibdata& device);
    void add_to_base(const Live& live);

    int m_year = 0;
    int m_month = 0;
    std::unordered_map<std::string, Tlog_summary, AsciiCaseHash, AsciiCaseEqual> m_base;
    std::unordered_map<std::string, Live> m_live;  // by connection id
};

}  // namespace quorvane
