#include "usage/UsageRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace quorvane {

namespace {

constexpr size_t kIdBlock = size_t{1} << 20;

// The value of a character that is a decimal digit; any other gives more than 9.
unsigned digit(const char* text, size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(text[at])) - '0';
}

uint32_t plain_date(std::string_view text) {
    if (text.size() != 10) throw NotPlainLog{};
    const char* c = text.data();
    const unsigned y0 = digit(c, 0), y1 = digit(c, 1), y2 = digit(c, 2), y3 = digit(c, 3);
    const unsigned m0 = digit(c, 5), m1 = digit(c, 6), d0 = digit(c, 8), d1 = digit(c, 9);
    // One test for all: the digits as a whole, rather than a branch for each.
    if (((y0 > 9) | (y1 > 9) | (y2 > 9) | (y3 > 9) | (m0 > 9) | (m1 > 9) | (d0 > 9) | (d1 > 9) |
         (c[4] != '-') | (c[7] != '-')) != 0) {
        throw NotPlainLog{};
    }
    return ((y0 * 10 + y1) * 10 + y2) * 100000 + y3 * 10000 + (m0 * 10 + m1) * 100 + d0 * 10 + d1;
}

uint32_t plain_time(std::string_view text) {
    if (text.size() != 5) throw NotPlainLog{};
    const char* c = text.data();
    const unsigned h0 = digit(c, 0), h1 = digit(c, 1), m0 = digit(c, 3), m1 = digit(c, 4);
    if (((h0 > 9) | (h1 > 9) | (m0 > 9) | (m1 > 9) | (c[2] != ':')) != 0) throw NotPlainLog{};
    return (h0 * 10 + h1) * 100 + m0 * 10 + m1;
}

}  // namespace

UsageRecords::NameKey UsageRecords::name_key(std::string_view name) {
    // Loads of fixed sizes, which overlap for a size between two of them: with the size they
    // still give each text its own key.
    NameKey key;
    key.size = name.size();
    const char* text = name.data();
    if (name.size() >= 8) {
        std::memcpy(&key.head, text, 8);
        std::memcpy(&key.tail, text + name.size() - 8, 8);
    } else if (name.size() >= 4) {
        uint32_t first = 0, last = 0;
        std::memcpy(&first, text, 4);
        std::memcpy(&last, text + name.size() - 4, 4);
        key.head = uint64_t{last} << 32 | first;
    } else {
        for (size_t at = 0; at < name.size(); ++at) {
            key.head |= uint64_t{static_cast<unsigned char>(text[at])} << (8 * at);
        }
    }
    return key;
}

size_t UsageRecords::slot_of(const NameKey& key) {
    const uint64_t mixed =
        (key.head * 0x9e3779b97f4a7c15u) ^ (key.tail * 0xc2b2ae3d27d4eb4fu) ^ key.size;
    return static_cast<size_t>(mixed ^ (mixed >> 29));
}

uint32_t UsageRecords::device_of(std::string_view name) {
    const NameKey key = name_key(name);
    if (m_last_device != UINT32_MAX && key == m_last_key &&
        (key.size <= 16 || m_devices[m_last_device] == name)) {
        return m_last_device;
    }
    if (!m_name_slots.empty()) {
        const size_t mask = m_name_slots.size() - 1;
        for (size_t at = slot_of(key) & mask;; at = (at + 1) & mask) {
            const NameSlot& slot = m_name_slots[at];
            if (slot.device == UINT32_MAX) break;
            if (slot.key == key && (key.size <= 16 || m_devices[slot.device] == name)) {
                m_last_key = key;
                return m_last_device = slot.device;
            }
        }
    }
    m_last_key = key;
    return m_last_device = add_device(name, key);
}

uint32_t UsageRecords::add_device(std::string_view name, const NameKey& key) {
    const auto device = static_cast<uint32_t>(m_devices.size());
    m_devices.emplace_back(name);
    if (2 * m_devices.size() > m_name_slots.size()) {
        std::vector<NameSlot> slots(std::max<size_t>(64, 4 * m_devices.size()));
        const size_t mask = slots.size() - 1;
        for (uint32_t known = 0; known < m_devices.size(); ++known) {
            const NameKey known_key = name_key(m_devices[known]);
            size_t at = slot_of(known_key) & mask;
            while (slots[at].device != UINT32_MAX) at = (at + 1) & mask;
            slots[at] = NameSlot{known_key, known};
        }
        m_name_slots = std::move(slots);
        return device;
    }
    const size_t mask = m_name_slots.size() - 1;
    size_t at = slot_of(key) & mask;
    while (m_name_slots[at].device != UINT32_MAX) at = (at + 1) & mask;
    m_name_slots[at] = NameSlot{key, device};
    return device;
}

void UsageRecords::add(const LogUsageRow& row, bool with_id) {
    // A row's number is its place in 32 bits, as the summary's count is; so is its rowid,
    // which the log's own table never takes past 32 bits.
    if (m_rows.size() >= std::numeric_limits<uint32_t>::max()) throw NotPlainLog{};
    if (row.rowid < 0 || row.rowid > std::numeric_limits<uint32_t>::max()) throw NotPlainLog{};
    const uint32_t date = plain_date(row.startdate);
    const uint32_t time = plain_time(row.starttime);
    const uint32_t year = date / 10000;
    if (m_year_slots.empty()) m_year_slots.resize(10000, 0);
    uint32_t& year_slot = m_year_slots[year];
    if (year_slot == 0) {
        year_slot = static_cast<uint32_t>(m_date_counts.size() + 1);
        m_date_counts.resize(m_date_counts.size() + 10000, 0);
    }
    const uint32_t slot = year_slot - 1 + date % 10000;
    m_rowids_rise = m_rowids_rise && row.rowid > m_last_rowid;
    if (m_rowids_follow && !m_rows.empty() && row.rowid != m_last_rowid + 1) {
        // Up to here each row's rowid followed from the first; from here on it is kept.
        m_rowids_follow = false;
        m_rowids.reserve(m_rows.size());
        for (size_t at = 0; at < m_rows.size(); ++at) {
            m_rowids.push_back(static_cast<uint32_t>(m_first_rowid + at));
        }
    }
    if (m_rows.empty()) m_first_rowid = row.rowid;
    if (m_starts_rise) {
        m_starts_rise = date != m_last_date   ? date > m_last_date
                        : time != m_last_time ? time > m_last_time
                                              : row.rowid > m_last_rowid;
        // Up to here each row's slot followed from the counts; from here on it is kept.
        if (!m_starts_rise) write_slots_so_far();
    }
    ++m_date_counts[slot];
    if (!m_starts_rise) m_slots.push_back(slot);
    m_last_date = date;
    m_last_time = time;
    m_last_rowid = row.rowid;
    m_rows.push_back(Counts{row.dload, row.uload, row.duration, device_of(row.deventry)});
    m_times.push_back(static_cast<uint16_t>(time));
    if (!m_rowids_follow) m_rowids.push_back(static_cast<uint32_t>(row.rowid));
    if (with_id) {
        const size_t size = row.devuniqueid.size();
        if (m_id_blocks.empty() || m_block_size - m_block_used < size) {
            m_block_size = std::max(kIdBlock, size);
            m_id_blocks.push_back(std::make_unique_for_overwrite<char[]>(m_block_size));
            m_block_used = 0;
        }
        if (size > 0) {
            std::memcpy(m_id_blocks.back().get() + m_block_used, row.devuniqueid.data(), size);
        }
        m_id_places.push_back(uint64_t{m_id_blocks.size() - 1} << 32 | m_block_used);
        m_id_sizes.push_back(static_cast<uint32_t>(size));
        m_block_used += size;
        m_id_total += size;
    }
}

void UsageRecords::write_slots_so_far() {
    // The rows so far came in the order of their dates, and so of their slots: each slot
    // as many times as it has rows.
    m_slots.reserve(m_rows.size());
    for (uint32_t year = 0; year < m_year_slots.size(); ++year) {
        if (m_year_slots[year] == 0) continue;
        const uint32_t base = m_year_slots[year] - 1;
        for (uint32_t slot = base; slot < base + 10000; ++slot) {
            for (uint32_t row = 0; row < m_date_counts[slot]; ++row) m_slots.push_back(slot);
        }
    }
}

void UsageRecords::find_order() {
    m_count = m_rows.size();
    // Each date's first place in the order, by year and MMDD; from now on a date's count is
    // its next free place.
    size_t start = 0;
    for (uint32_t year = 0; year < m_year_slots.size(); ++year) {
        if (m_year_slots[year] == 0) continue;
        const uint32_t base = m_year_slots[year] - 1;
        for (uint32_t mmdd = 0; mmdd < 10000; ++mmdd) {
            uint32_t& count = m_date_counts[base + mmdd];
            if (count == 0) continue;
            const uint32_t rows = count;
            count = static_cast<uint32_t>(start);
            start += rows;
            m_day_ends.push_back(start);
            m_day_dates.push_back(year * 10000 + mmdd);
        }
    }
    m_order.resize_for_overwrite(m_count);
    if (m_starts_rise) {
        // The pass gave the rows by date, time and rowid, as a log written as its
        // connections start is read: each day's rows in turn, last first.
        size_t begin = 0;
        for (const size_t end : m_day_ends) {
            for (size_t at = begin; at < end; ++at) {
                m_order[at] = static_cast<uint32_t>(end - 1 - (at - begin));
            }
            begin = end;
        }
    } else if (m_rowids_rise) {
        // A sort by the least significant key first, of places rather than records: by time,
        // latest first, reading the pass backwards so that of one date and time the row
        // written last comes first; then stably by date.
        std::vector<uint32_t> next(10000, 0);
        for (const uint16_t time : m_times) ++next[time];
        uint32_t place = 0;
        for (uint32_t time = 10000; time-- > 0;) {
            const uint32_t rows = next[time];
            next[time] = place;
            place += rows;
        }
        GrowingArray<uint32_t> by_time;
        by_time.resize_for_overwrite(m_count);
        for (size_t at = m_count; at-- > 0;) {
            by_time[next[m_times[at]]++] = static_cast<uint32_t>(at);
        }
        for (size_t at = 0; at < m_count; ++at) {
            const uint32_t index = by_time[at];
            m_order[m_date_counts[m_slots[index]]++] = index;
        }
    } else {
        for (size_t at = 0; at < m_count; ++at) {
            m_order[m_date_counts[m_slots[at]]++] = static_cast<uint32_t>(at);
        }
        const auto later_first = [this](uint32_t a, uint32_t b) {
            return m_times[a] != m_times[b] ? m_times[a] > m_times[b] : rowid(a) > rowid(b);
        };
        size_t begin = 0;
        for (const size_t end : m_day_ends) {
            std::sort(m_order.begin() + begin, m_order.begin() + end, later_first);
            begin = end;
        }
    }
    m_slots = GrowingArray<uint32_t>();
    m_date_counts = std::vector<uint32_t>();
}

std::string UsageRecords::date_text(uint32_t date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", date / 10000, date / 100 % 100, date % 100);
    return text;
}

void UsageRecords::put_in_order() {
    find_order();
    m_ordered.resize_for_overwrite(m_count);
    size_t at = 0;
    for (uint32_t day = 0; day < m_day_ends.size(); ++day) {
        for (; at < m_day_ends[day]; ++at) {
            const uint32_t index = m_order[at];
            const Counts& counts = m_rows[index];
            m_ordered[at] = Record{m_day_dates[day], m_times[index], counts.device,
                                   counts.duration,  counts.dload,   counts.uload,
                                   rowid(index),     index,          day};
        }
        m_day_texts += date_text(m_day_dates[day]);
    }
    m_rows = GrowingArray<Counts>();
    m_times = GrowingArray<uint16_t>();
    m_rowids = GrowingArray<uint32_t>();
    m_time_texts.resize(5 * 10000);
    for (uint32_t hhmm = 0; hhmm < 10000; ++hhmm) {
        char text[8];
        std::snprintf(text, sizeof text, "%02u:%02u", hhmm / 100, hhmm % 100);
        std::memcpy(m_time_texts.data() + hhmm * 5, text, 5);
    }
    if (m_id_sizes.empty()) {
        m_order = GrowingArray<uint32_t>();
        return;
    }
    // The ids in the same order, so that printing reads them in turn.
    m_ids = std::make_unique_for_overwrite<char[]>(m_id_total);
    m_id_ends.reserve(m_count);
    uint64_t end = 0;
    for (size_t at = 0; at < m_count; ++at) {
        const uint32_t index = m_order[at];
        const uint64_t place = m_id_places[index];
        const uint32_t size = m_id_sizes[index];
        if (size > 0) {
            std::memcpy(m_ids.get() + end, m_id_blocks[place >> 32].get() + (place & 0xffffffffu),
                        size);
        }
        end += size;
        m_id_ends.push_back(end);
    }
    m_id_blocks.clear();
    m_id_places = GrowingArray<uint64_t>();
    m_id_sizes = GrowingArray<uint32_t>();
    m_order = GrowingArray<uint32_t>();
}

}  // namespace quorvane
