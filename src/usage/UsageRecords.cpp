#include "usage/UsageRecords.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace quorvane {

namespace {

constexpr size_t kIdBlock = size_t{1} << 20;

// The decimal digits at text[at, at + count), or -1 when one is not a digit.
int digits(std::string_view text, size_t at, size_t count) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

uint32_t plain_date(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') throw NotPlainLog{};
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    if (year < 0 || month < 0 || day < 0) throw NotPlainLog{};
    return static_cast<uint32_t>(year * 10000 + month * 100 + day);
}

uint32_t plain_time(std::string_view text) {
    if (text.size() != 5 || text[2] != ':') throw NotPlainLog{};
    const int hour = digits(text, 0, 2), minute = digits(text, 3, 2);
    if (hour < 0 || minute < 0) throw NotPlainLog{};
    return static_cast<uint32_t>(hour * 100 + minute);
}

}  // namespace

uint32_t UsageRecords::device_of(std::string_view name) {
    if (m_last_device < m_devices.size() && m_devices[m_last_device] == name) {
        return m_last_device;
    }
    auto found = m_device_numbers.find(name);
    if (found == m_device_numbers.end()) {
        m_devices.emplace_back(name);
        found =
            m_device_numbers.emplace(m_devices.back(), static_cast<uint32_t>(m_devices.size() - 1))
                .first;
    }
    return m_last_device = found->second;
}

void UsageRecords::add(const LogUsageRow& row, bool with_id) {
    // A row's number is its place in 32 bits, as the summary's count is.
    if (m_records.size() >= std::numeric_limits<uint32_t>::max()) throw NotPlainLog{};
    const uint32_t date = plain_date(row.startdate);
    if (date / 10000 != m_last_year) {
        auto& year = m_years[date / 10000];
        if (!year) year = std::make_unique<uint32_t[]>(10000);
        m_last_year = date / 10000;
        m_last_year_counts = year.get();
    }
    ++m_last_year_counts[date % 10000];
    m_records.push_back(Record{date, plain_time(row.starttime), device_of(row.deventry),
                               row.duration, row.dload, row.uload, row.rowid,
                               static_cast<uint32_t>(m_records.size()), 0});
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

void UsageRecords::put_in_order() {
    // Each date's first place, then the records scattered to their dates' places.
    std::vector<size_t> day_end;
    size_t start = 0;
    for (auto& [number, year] : m_years) {
        for (uint32_t mmdd = 0; mmdd < 10000; ++mmdd) {
            const uint32_t count = year[mmdd];
            if (count == 0) continue;
            year[mmdd] = static_cast<uint32_t>(start);  // from now on the next free place
            start += count;
            day_end.push_back(start);
            char text[16];
            std::snprintf(text, sizeof text, "%04u-%02u-%02u", number, mmdd / 100, mmdd % 100);
            m_day_texts.append(text, 10);
        }
    }
    m_count = m_records.size();
    m_ordered = std::make_unique_for_overwrite<Record[]>(m_count);
    for (const Record& record : m_records) {
        m_ordered[m_years[record.date / 10000][record.date % 10000]++] = record;
    }
    m_records = GrowingArray<Record>();
    const auto later_first = [](const Record& a, const Record& b) {
        return a.time != b.time ? a.time > b.time : a.rowid > b.rowid;
    };
    size_t begin = 0;
    for (uint32_t day = 0; day < day_end.size(); ++day) {
        Record* const first = m_ordered.get() + begin;
        Record* const last = m_ordered.get() + day_end[day];
        std::sort(first, last, later_first);
        for (auto at = first; at != last; ++at) at->day = day;
        begin = day_end[day];
    }
    m_time_texts.resize(5 * 10000);
    for (uint32_t hhmm = 0; hhmm < 10000; ++hhmm) {
        char text[8];
        std::snprintf(text, sizeof text, "%02u:%02u", hhmm / 100, hhmm % 100);
        std::memcpy(m_time_texts.data() + hhmm * 5, text, 5);
    }
    if (m_id_sizes.empty()) return;
    // The ids in the same order, so that printing reads them in turn.
    m_ids = std::make_unique_for_overwrite<char[]>(m_id_total);
    m_id_ends.reserve(m_count);
    uint64_t end = 0;
    for (size_t at = 0; at < m_count; ++at) {
        const uint32_t index = m_ordered[at].index;
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
}

}  // namespace quorvane
