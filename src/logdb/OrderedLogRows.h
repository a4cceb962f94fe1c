#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logdb/GrowingArray.h"
#include "logdb/LogRow.h"

namespace quorvane {

// Log rows in the database view's order: start date ascending, within one day start time
// descending, and within one start the row written last (the higher rowid) first. Dates and
// times compare as text, byte by byte, as the engine compares them.
//
// Built for a refresh over a large log: a row is a 32-byte record whose start date, start
// time and device name are numbers into tables of the distinct texts (a log has few of each).
// The rows are sorted here, which is several times faster than the engine's ORDER BY (it walks
// the start index with one table lookup per row, or sorts whole rows): the texts of the dates
// and times are sorted once, and the rows then by two counting passes over their numbers, start
// time descending and then start date ascending, each keeping the order of the one before. The
// rows go into these passes in descending rowid; a pass over the table reads them in ascending
// rowid, so taking them backwards is that order and only reads in another order are sorted by
// rowid first. The grid needs only the shown columns; the connection id, user tag and speed are
// kept only when all columns are asked for.
class OrderedLogRows {
public:
    enum class Columns {
        shown,  // start, device, duration and bytes; no id, user tag or speed
        all,
    };

    // Takes rows in any order; take() gives them back ordered.
    class Collector {
    public:
        explicit Collector(Columns columns = Columns::all);
        ~Collector();
        Collector(const Collector&) = delete;
        Collector& operator=(const Collector&) = delete;

        // Texts are copied; they need to live only for the call. With the shown columns
        // only, the id, user tag and speed are not kept.
        void add(std::string_view devuniqueid, std::string_view startdate,
                 std::string_view starttime, std::string_view usera, std::string_view deventry,
                 int32_t duration, int32_t speed, int64_t dload, int64_t uload, int64_t rowid);
        // The rows added so far, in order; the collector is empty afterwards.
        OrderedLogRows take();

    private:
        struct State;
        std::unique_ptr<State> m_state;
        Columns m_columns;
    };

    OrderedLogRows();
    ~OrderedLogRows();
    OrderedLogRows(OrderedLogRows&&) noexcept;
    OrderedLogRows& operator=(OrderedLogRows&&) noexcept;
    OrderedLogRows(const OrderedLogRows&);
    OrderedLogRows& operator=(const OrderedLogRows&);

    size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    // The row at that place in the order (below size()). Rows read with the shown columns
    // only have an empty id and user tag and speed 0.
    LogRowRef operator[](size_t row) const;
    // Keeps the first count rows.
    void truncate(size_t count);
    // Every row as a LogRow of its own.
    std::vector<LogRow> copies() const;

    // What a summary needs of a row, without its texts. Rows whose device names are spelled
    // alike share a device number, below device_count(); work done once per device (a
    // tariff) can be looked up by it.
    struct Usage {
        uint32_t device;
        int32_t duration;
        int64_t dload, uload;
    };
    Usage usage(size_t row) const {
        const Row& at = m_rows[row];
        return Usage{at.device, at.duration, at.dload, at.uload};
    }
    size_t device_count() const { return m_devices.size(); }
    const std::string& device_name(uint32_t number) const { return m_devices[number]; }

private:
    struct Row {
        uint32_t date, time, device;  // numbers into the tables
        int32_t duration;
        int64_t dload, uload;
    };
    // The other columns of a row, when all are kept.
    struct Extra {
        uint64_t id;  // block number << 32 | offset of the id's length
        uint32_t user;
        int32_t speed;
    };
    friend class Collector;

    GrowingArray<Row> m_rows;
    GrowingArray<Extra> m_extras;  // one per row, or none
    std::vector<std::string> m_dates, m_times, m_devices, m_users;
    std::vector<std::unique_ptr<char[]>> m_id_blocks;
    std::vector<size_t> m_id_block_sizes;  // bytes in use
};

}  // namespace quorvane
