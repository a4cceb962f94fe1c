#include "logdb/LogRowOrder.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <stdexcept>

namespace quorvane {

namespace {

// A packed row: duration, speed, dload, uload and rowid, then the five texts in column
// order, each after its length (one byte below 255, else 255 and four bytes).
constexpr size_t numbers_size = 2 * sizeof(int32_t) + 3 * sizeof(int64_t);
constexpr size_t block_size = size_t{1} << 20;
constexpr unsigned char long_text = 255;

template <typename T>
char* put(char* at, T value) {
    std::memcpy(at, &value, sizeof value);
    return at + sizeof value;
}

template <typename T>
const char* get(const char* at, T& value) {
    std::memcpy(&value, at, sizeof value);
    return at + sizeof value;
}

size_t length_size(size_t length) {
    return length < long_text ? 1 : 1 + sizeof(uint32_t);
}

const char* get_text(const char* at, std::string_view& text) {
    uint32_t length = static_cast<unsigned char>(*at++);
    if (length == long_text) at = get(at, length);
    text = std::string_view(at, length);
    return at + length;
}

struct Unpacked {
    int32_t duration, speed;
    int64_t dload, uload, rowid;
    std::string_view texts[5];
};

const char* unpack(const char* at, Unpacked& row) {
    at = get(get(get(get(get(at, row.duration), row.speed), row.dload), row.uload), row.rowid);
    for (auto& text : row.texts) at = get_text(at, text);
    return at;
}

enum Column { devuniqueid, startdate, starttime, usera, deventry };

struct SortKey {
    int64_t start;  // see packed_start
    int64_t rowid;
    const char* row;
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

}  // namespace

LogRowsInViewOrder::LogRowsInViewOrder() = default;
LogRowsInViewOrder::~LogRowsInViewOrder() = default;

char* LogRowsInViewOrder::reserve(size_t bytes) {
    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < bytes) {
        size_t size = std::max(block_size, bytes);
        m_blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    Block& block = m_blocks.back();
    char* at = block.bytes.get() + block.used;
    block.used += bytes;
    return at;
}

void LogRowsInViewOrder::add(std::string_view devuniqueid, std::string_view startdate,
                             std::string_view starttime, std::string_view usera,
                             std::string_view deventry, int32_t duration, int32_t speed,
                             int64_t dload, int64_t uload, int64_t rowid) {
    const std::initializer_list<std::string_view> texts = {devuniqueid, startdate, starttime, usera,
                                                           deventry};
    size_t bytes = numbers_size;
    for (std::string_view text : texts) {
        // Longer texts than the engine's own limit of 1 GB do not come from it.
        if (text.size() > UINT32_MAX) throw std::length_error("log text longer than 4 GB");
        bytes += length_size(text.size()) + text.size();
    }
    char* at = put(put(put(put(put(reserve(bytes), duration), speed), dload), uload), rowid);
    for (std::string_view text : texts) {
        if (text.size() < long_text) {
            *at++ = static_cast<char>(text.size());
        } else {
            *at++ = static_cast<char>(long_text);
            at = put(at, static_cast<uint32_t>(text.size()));
        }
        if (!text.empty()) std::memcpy(at, text.data(), text.size());
        at += text.size();
    }
    ++m_count;
}

std::vector<LogRow> LogRowsInViewOrder::take() {
    std::vector<SortKey> keys;
    keys.reserve(m_count);
    bool packed = true;
    for (const Block& block : m_blocks) {
        for (const char* at = block.bytes.get(); at < block.bytes.get() + block.used;) {
            Unpacked row;
            const char* next = unpack(at, row);
            keys.push_back(SortKey{0, row.rowid, at});
            packed = packed &&
                     packed_start(row.texts[startdate], row.texts[starttime], keys.back().start);
            at = next;
        }
    }
    if (packed) {
        std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            return a.start != b.start ? a.start < b.start : a.rowid > b.rowid;
        });
    } else {
        // A start in another form (a file written without the schema's checks): the texts
        // themselves, compared as the engine does.
        std::sort(keys.begin(), keys.end(), [](const SortKey& a, const SortKey& b) {
            Unpacked x, y;
            unpack(a.row, x);
            unpack(b.row, y);
            if (int c = x.texts[startdate].compare(y.texts[startdate]); c != 0) return c < 0;
            if (int c = x.texts[starttime].compare(y.texts[starttime]); c != 0) return c > 0;
            return a.rowid > b.rowid;
        });
    }
    std::vector<LogRow> rows;
    rows.reserve(keys.size());
    for (const SortKey& key : keys) {
        Unpacked row;
        unpack(key.row, row);
        auto copy = [&](Column column) { return std::string(row.texts[column]); };
        rows.push_back(LogRow{copy(devuniqueid), copy(startdate), copy(starttime), copy(usera),
                              copy(deventry), row.duration, row.speed, row.dload, row.uload});
    }
    m_blocks.clear();
    m_count = 0;
    return rows;
}

}  // namespace quorvane
