#include "logdb/LogRowOrder.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>

namespace quorvane {

namespace {

enum Column { devuniqueid, startdate, starttime, usera, deventry };

struct SortKey {
    int64_t start;  // see packed_start
    int64_t rowid;
    size_t index;
};

bool add_digits(std::string_view text, std::initializer_list<size_t> positions, int64_t& value) {
    for (size_t at : positions) {
        if (text[at] < '0' || text[at] > '9') return false;
        value = value * 10 + (text[at] - '0');
    }
    return true;
}

// "YYYY-MM-DD" and "HH:MM", the forms the log stores, as one number that orders as the
// texts do, the date ascending and the time descending; false for text in any other form.
bool packed_start(std::string_view date, std::string_view time, int64_t& start) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return false;
    if (time.size() != 5 || time[2] != ':') return false;
    int64_t date_digits = 0;
    int64_t time_digits = 0;
    if (!add_digits(date, {0, 1, 2, 3, 5, 6, 8, 9}, date_digits)) return false;
    if (!add_digits(time, {0, 1, 3, 4}, time_digits)) return false;
    start = date_digits * 10000 + (9999 - time_digits);
    return true;
}

uint32_t text_length(std::string_view text) {
    if (text.size() > UINT32_MAX) throw std::length_error("log text longer than 4 GB");
    return static_cast<uint32_t>(text.size());
}

}  // namespace

void LogRowsInViewOrder::add(std::string_view devuniqueid, std::string_view startdate,
                             std::string_view starttime, std::string_view usera,
                             std::string_view deventry, int32_t duration, int32_t speed,
                             int64_t dload, int64_t uload, int64_t rowid) {
    Packed row{m_text.size(), {}, duration, speed, dload, uload, rowid};
    size_t column = 0;
    for (std::string_view text : {devuniqueid, startdate, starttime, usera, deventry}) {
        row.length[column++] = text_length(text);
        m_text.append(text);
    }
    m_rows.push_back(row);
}

std::string_view LogRowsInViewOrder::text(const Packed& row, size_t column) const {
    size_t at = row.text_at;
    for (size_t c = 0; c < column; ++c) at += row.length[c];
    return std::string_view(m_text).substr(at, row.length[column]);
}

std::vector<LogRow> LogRowsInViewOrder::take() {
    std::vector<SortKey> keys(m_rows.size());
    bool packed = true;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        keys[i] = SortKey{0, m_rows[i].rowid, i};
        packed = packed && packed_start(text(m_rows[i], startdate), text(m_rows[i], starttime),
                                        keys[i].start);
    }
    if (packed) {
        std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            return a.start != b.start ? a.start < b.start : a.rowid > b.rowid;
        });
    } else {
        // A start in another form (a file written without the schema's checks): the texts
        // themselves, compared as the engine does.
        std::sort(keys.begin(), keys.end(), [this](const SortKey& a, const SortKey& b) {
            const Packed& x = m_rows[a.index];
            const Packed& y = m_rows[b.index];
            if (int c = text(x, startdate).compare(text(y, startdate)); c != 0) return c < 0;
            if (int c = text(x, starttime).compare(text(y, starttime)); c != 0) return c > 0;
            return a.rowid > b.rowid;
        });
    }
    std::vector<LogRow> rows;
    rows.reserve(m_rows.size());
    for (const SortKey& key : keys) {
        const Packed& row = m_rows[key.index];
        auto copy = [&](Column column) { return std::string(text(row, column)); };
        rows.push_back(LogRow{copy(devuniqueid), copy(startdate), copy(starttime), copy(usera),
                              copy(deventry), row.duration, row.speed, row.dload, row.uload});
    }
    m_text.clear();
    m_rows.clear();
    return rows;
}

}  // namespace quorvane
