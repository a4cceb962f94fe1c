#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logdb/GrowingArray.h"
#include "logdb/LogUsageRow.h"

namespace quorvane {

// Thrown by UsageRecords::add for a start date not written YYYY-MM-DD or a start time not
// written HH:MM with digits, which the log's own table never holds: such a log is read the
// general way.
struct NotPlainLog {};

// The rows of one pass over the log as compact records, for sums and for printing a long
// log: dates and times as numbers that compare as their texts do (2024-01-05 as 20240105,
// 13:45 as 1345), device spellings as numbers, and the connection ids, when kept, in one
// block of text.
class UsageRecords {
public:
    struct Record {
        uint32_t date, time, device;
        int32_t duration;
        int64_t dload, uload, rowid;
        uint32_t index;  // the place in the pass, for the id
        uint32_t day;    // in the order: the number of the row's day, from 0
    };
    // What a sum needs of a row, kept in the order of the pass.
    struct Counts {
        int64_t dload, uload;
        int32_t duration;
        uint32_t device;
    };

    // The text of a date kept as a number: 20240105 as "2024-01-05".
    static std::string date_text(uint32_t date);

    void add(const LogUsageRow& row, bool with_id);
    // The records in the database view's order: start date ascending, within a day start
    // time descending, then the row written last first; with their ids in the same order.
    void put_in_order();
    // The same order as places in the pass only, for a reader that takes each record once:
    // record(at) gives the counts of the row at place `at` of the order. The days of the order
    // end at day_end(day), their dates are day_date(day).
    void find_order();

    size_t size() const { return m_count; }
    const Record& operator[](size_t at) const { return m_ordered[at]; }
    const Counts& record(size_t at) const { return m_rows[m_order[at]]; }
    void prefetch(size_t at) const {
        const char* place = reinterpret_cast<const char*>(&m_rows[m_order[at]]);
        __builtin_prefetch(place);
        __builtin_prefetch(place + sizeof(Counts) - 1);
    }
    size_t day_count() const { return m_day_ends.size(); }
    size_t day_end(uint32_t day) const { return m_day_ends[day]; }
    uint32_t day_date(uint32_t day) const { return m_day_dates[day]; }
    const std::string& device_name(uint32_t device) const { return m_devices[device]; }
    size_t device_count() const { return m_devices.size(); }
    // Only with the ids kept, after put_in_order().
    std::string_view id(size_t at) const {
        return std::string_view(m_ids.get() + m_id_ends[at] - id_size(at), id_size(at));
    }
    // The texts of a row's day and time, as the log holds them.
    std::string_view day_text(uint32_t day) const {
        return std::string_view(m_day_texts.data() + size_t{day} * 10, 10);
    }
    std::string_view time_text(uint32_t time) const {
        return std::string_view(m_time_texts.data() + size_t{time} * 5, 5);
    }

private:
    // A device name's number. A name of up to 16 bytes is known by its size and its first
    // and last eight bytes, compared as two numbers; a longer one by its text too.
    struct NameKey {
        uint64_t head = 0, tail = 0;
        size_t size = 0;
        bool operator==(const NameKey&) const = default;
    };
    struct NameSlot {
        NameKey key;
        uint32_t device = UINT32_MAX;  // none: a free slot
    };
    static NameKey name_key(std::string_view name);
    static size_t slot_of(const NameKey& key);
    uint32_t device_of(std::string_view name);
    uint32_t add_device(std::string_view name, const NameKey& key);
    void write_slots_so_far();
    int64_t rowid(uint32_t index) const {
        return m_rowids_follow ? m_first_rowid + index : m_rowids[index];
    }
    size_t id_size(size_t at) const { return m_id_ends[at] - (at == 0 ? 0 : m_id_ends[at - 1]); }

    // In the order of the pass, grown without a copy: each row's counts, start time, rowid,
    // and date as a slot of m_date_counts (kept only from the first row out of the order of
    // starts). Apart, so that a sort reads only its keys.
    GrowingArray<Counts> m_rows;
    GrowingArray<uint16_t> m_times;
    GrowingArray<uint32_t> m_rowids;  // kept only from the first that does not follow
    // Whether each row's rowid so far is the one before it + 1, as in a plain pass over a
    // log nothing was erased from.
    bool m_rowids_follow = true;
    int64_t m_first_rowid = 0;
    GrowingArray<uint32_t> m_slots;
    // The order as places in the pass; then, for put_in_order, the records in that order:
    // fresh memory, written once, rather than a vector filled with zeros first.
    GrowingArray<uint32_t> m_order;
    GrowingArray<Record> m_ordered;
    size_t m_count = 0;
    // The count of rows of each date: 10000 slots a year, one per MMDD, from the year's base
    // slot. Each year's base slot + 1, by its number (0: none yet).
    std::vector<uint32_t> m_date_counts;
    std::vector<uint32_t> m_year_slots;
    // Whether the pass gave the rows with their rowids rising, or with their start date,
    // time and rowid rising: then, among rows of one start date and time, the pass's order is
    // the rowids' order and a stable sort by date and time is the view's order.
    bool m_rowids_rise = true, m_starts_rise = true;
    uint32_t m_last_date = 0, m_last_time = 0;
    int64_t m_last_rowid = -1;
    std::vector<size_t> m_day_ends;
    std::vector<uint32_t> m_day_dates;
    std::deque<std::string> m_devices;   // spellings by number; a deque keeps them in place
    std::vector<NameSlot> m_name_slots;  // open addressing, a power of two, at most half full
    NameKey m_last_key;
    uint32_t m_last_device = UINT32_MAX;
    // The ids as the pass gives them, in blocks that are never moved: a block number << 32 |
    // the offset, and the size, for each row.
    std::vector<std::unique_ptr<char[]>> m_id_blocks;
    size_t m_block_used = 0, m_block_size = 0;
    GrowingArray<uint64_t> m_id_places;
    GrowingArray<uint32_t> m_id_sizes;
    uint64_t m_id_total = 0;
    // In order: one text, and where each row's id ends in it.
    std::unique_ptr<char[]> m_ids;
    GrowingArray<uint64_t> m_id_ends;
    std::string m_day_texts;   // ten characters a day
    std::string m_time_texts;  // five characters for each HHMM
};

}  // namespace quorvane
