#include "logdb/OrderedLogRows.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace quorvane {

namespace {

constexpr size_t block_size = size_t{1} << 20;
constexpr unsigned char long_text = 255;

// A text's first 15 bytes, zero-filled, and its length (255 for any longer one) in the
// last byte: the texts of a log's dates, times and most device names whole, so that they
// compare as two numbers.
struct TextKey {
    uint64_t low = 0, high = 0;

    explicit TextKey(std::string_view text) {
        const size_t size = text.size();
        const char* bytes = text.data();
        if constexpr (std::endian::native == std::endian::little) {
            // Whole-word loads that may overlap, rather than bytes copied one length at a
            // time: the word read back from such a copy waits for every byte of it.
            if (size >= 8 && size <= 15) {
                low = load<uint64_t>(bytes);
                if (size > 8) high = load<uint64_t>(bytes + size - 8) >> ((16 - size) * 8);
            } else if (size >= 4 && size < 8) {
                low = load<uint32_t>(bytes) | uint64_t{load<uint32_t>(bytes + size - 4)}
                                                  << ((size - 4) * 8);
            } else {
                fill(text);
            }
        } else {
            fill(text);
        }
        high |= uint64_t{std::min<size_t>(size, 255)} << 56;
    }
    bool whole() const { return (high >> 56) <= 15; }
    bool operator==(const TextKey&) const = default;

private:
    template <typename Word>
    static Word load(const char* at) {
        Word word;
        std::memcpy(&word, at, sizeof word);
        return word;
    }

    void fill(std::string_view text) {
        unsigned char bytes[16] = {};
        if (!text.empty()) std::memcpy(bytes, text.data(), std::min<size_t>(text.size(), 15));
        low = load<uint64_t>(reinterpret_cast<const char*>(bytes));
        high = load<uint64_t>(reinterpret_cast<const char*>(bytes) + 8) & ~(uint64_t{0xff} << 56);
    }
};

// The distinct texts of one column, each under the number it was first met with, in an
// open-addressing table: for the short texts of a log several times faster than a
// node-based map. Rows often repeat the previous row's text, which is checked first.
class TextTable {
public:
    uint32_t number_of(std::string_view text) {
        const TextKey key(text);
        if (m_last < m_keys.size() && same(m_last, key, text)) return m_last;
        const uint64_t hash = hash_of(key, text);
        size_t at = find(hash, key, text);
        if (m_slots[at] != 0) return m_last = m_slots[at] - 1;
        if (m_keys.size() >= std::numeric_limits<uint32_t>::max() - 1) {
            throw std::length_error("too many distinct log texts");
        }
        if ((m_keys.size() + 1) * 2 > m_slots.size()) {
            grow();
            at = find(hash, key, text);
        }
        m_last = static_cast<uint32_t>(m_keys.size());
        m_texts.emplace_back(text);
        m_keys.push_back(key);
        m_hashes.push_back(hash);
        m_slots[at] = m_last + 1;
        return m_last;
    }

    // The texts by number; the table is empty afterwards.
    std::vector<std::string> take() {
        std::vector<std::string> texts = std::move(m_texts);
        *this = TextTable();
        return texts;
    }

private:
    static uint64_t hash_of(const TextKey& key, std::string_view text) {
        if (key.whole()) {
            const uint64_t mixed =
                (key.low ^ (key.high * 0x9e3779b97f4a7c15ull)) * 0xff51afd7ed558ccdull;
            return mixed ^ (mixed >> 32);
        }
        uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
        return hash;
    }

    bool same(uint32_t number, const TextKey& key, std::string_view text) const {
        return m_keys[number] == key && (key.whole() || m_texts[number] == text);
    }

    // The slot that holds the text, else the empty slot where it goes.
    size_t find(uint64_t hash, const TextKey& key, std::string_view text) const {
        const size_t mask = m_slots.size() - 1;
        size_t at = hash & mask;
        while (m_slots[at] != 0 && !same(m_slots[at] - 1, key, text)) at = (at + 1) & mask;
        return at;
    }

    void grow() {
        m_slots.assign(m_slots.size() * 2, 0);
        const size_t mask = m_slots.size() - 1;
        for (uint32_t number = 0; number < m_keys.size(); ++number) {
            size_t at = m_hashes[number] & mask;
            while (m_slots[at] != 0) at = (at + 1) & mask;
            m_slots[at] = number + 1;
        }
    }

    std::vector<std::string> m_texts;
    std::vector<TextKey> m_keys;
    std::vector<uint64_t> m_hashes;
    std::vector<uint32_t> m_slots = std::vector<uint32_t>(64, 0);  // number + 1; 0 is empty
    uint32_t m_last = std::numeric_limits<uint32_t>::max();
};

// Puts the texts in ascending byte order and gives, for each old number, the new one;
// numbers then compare as their texts do.
std::vector<uint32_t> sort_table(std::vector<std::string>& texts) {
    std::vector<uint32_t> by_text(texts.size());
    std::iota(by_text.begin(), by_text.end(), 0u);
    std::sort(by_text.begin(), by_text.end(),
              [&](uint32_t a, uint32_t b) { return texts[a] < texts[b]; });
    std::vector<uint32_t> renumbered(texts.size());
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (uint32_t rank = 0; rank < by_text.size(); ++rank) {
        renumbered[by_text[rank]] = rank;
        sorted.push_back(std::move(texts[by_text[rank]]));
    }
    texts = std::move(sorted);
    return renumbered;
}

// Puts the rows (and their extras, when kept) in order of their day numbers, in place: a
// row not yet in its day's part is swapped into the next free place of that part.
template <typename Row, typename Extra>
void place_by_day(GrowingArray<Row>& rows, GrowingArray<Extra>& extras,
                  const std::vector<size_t>& day_start) {
    std::vector<size_t> next(day_start.begin(), day_start.end() - 1);
    const bool with_extras = !extras.empty();
    for (size_t day = 0; day < next.size(); ++day) {
        while (next[day] < day_start[day + 1]) {
            const size_t at = next[day];
            const uint32_t belongs = rows[at].date;
            if (belongs == day) {
                ++next[day];
                continue;
            }
            const size_t to = next[belongs]++;
            std::swap(rows[at], rows[to]);
            if (with_extras) std::swap(extras[at], extras[to]);
        }
    }
}

}  // namespace

struct OrderedLogRows::Collector::State {
    OrderedLogRows rows;
    TextTable dates, times, devices, users;
    size_t block_capacity = 0;  // of the last id block; its bytes in use are its size entry

    // Stores the id after its length (one byte below 255, else 255 and four bytes) and
    // gives its place.
    uint64_t put_id(std::string_view id) {
        // Longer texts than the engine's own limit of 1 GB do not come from it.
        if (id.size() > std::numeric_limits<uint32_t>::max() / 2) {
            throw std::length_error("log text longer than 2 GB");
        }
        const size_t bytes = (id.size() < long_text ? 1 : 1 + sizeof(uint32_t)) + id.size();
        auto& blocks = rows.m_id_blocks;
        auto& sizes = rows.m_id_block_sizes;
        if (blocks.empty() || block_capacity - sizes.back() < bytes) {
            block_capacity = std::max(block_size, bytes);
            blocks.push_back(std::make_unique_for_overwrite<char[]>(block_capacity));
            sizes.push_back(0);
        }
        char* at = blocks.back().get() + sizes.back();
        const uint64_t place = (uint64_t{blocks.size() - 1} << 32) | sizes.back();
        if (id.size() < long_text) {
            *at++ = static_cast<char>(id.size());
        } else {
            *at++ = static_cast<char>(long_text);
            const auto length = static_cast<uint32_t>(id.size());
            std::memcpy(at, &length, sizeof length);
            at += sizeof length;
        }
        if (!id.empty()) std::memcpy(at, id.data(), id.size());
        sizes.back() += bytes;
        return place;
    }
};

OrderedLogRows::Collector::Collector(Columns columns)
    : m_state(std::make_unique<State>()), m_columns(columns) {}
OrderedLogRows::Collector::~Collector() = default;

void OrderedLogRows::Collector::add(std::string_view devuniqueid, std::string_view startdate,
                                    std::string_view starttime, std::string_view usera,
                                    std::string_view deventry, int32_t duration, int32_t speed,
                                    int64_t dload, int64_t uload, int64_t rowid) {
    State& state = *m_state;
    const Row row{state.dates.number_of(startdate),
                  state.times.number_of(starttime),
                  state.devices.number_of(deventry),
                  duration,
                  dload,
                  uload,
                  rowid};
    if (m_columns == Columns::all) {
        state.rows.m_extras.push_back(
            Extra{state.put_id(devuniqueid), state.users.number_of(usera), speed});
    }
    state.rows.m_rows.push_back(row);
}

OrderedLogRows OrderedLogRows::Collector::take() {
    State state = std::move(*m_state);
    *m_state = State{};
    OrderedLogRows rows = std::move(state.rows);
    rows.m_dates = state.dates.take();
    rows.m_times = state.times.take();
    rows.m_devices = state.devices.take();
    rows.m_users = state.users.take();
    // Dates and times renumbered in text order, so that the rows sort on numbers alone.
    const std::vector<uint32_t> date_rank = sort_table(rows.m_dates);
    const std::vector<uint32_t> time_rank = sort_table(rows.m_times);
    std::vector<size_t> day_start(rows.m_dates.size() + 1, 0);
    for (Row& row : rows.m_rows) {
        row.date = date_rank[row.date];
        row.time = time_rank[row.time];
        ++day_start[row.date + 1];
    }
    std::partial_sum(day_start.begin(), day_start.end(), day_start.begin());
    place_by_day(rows.m_rows, rows.m_extras, day_start);
    // Within a day: start time descending, then the row written last first.
    const auto later_first = [](const Row& a, const Row& b) {
        return a.time != b.time ? a.time > b.time : a.rowid > b.rowid;
    };
    std::vector<uint32_t> order;
    std::vector<Row> sorted_rows;
    std::vector<Extra> sorted_extras;
    for (size_t day = 0; day + 1 < day_start.size(); ++day) {
        Row* begin = rows.m_rows.begin() + day_start[day];
        const size_t count = day_start[day + 1] - day_start[day];
        if (rows.m_extras.empty()) {
            std::sort(begin, begin + count, later_first);
            continue;
        }
        // The extras follow their rows.
        Extra* extras = rows.m_extras.begin() + day_start[day];
        order.resize(count);
        std::iota(order.begin(), order.end(), 0u);
        std::sort(order.begin(), order.end(),
                  [&](uint32_t a, uint32_t b) { return later_first(begin[a], begin[b]); });
        sorted_rows.clear();
        sorted_extras.clear();
        for (uint32_t at : order) {
            sorted_rows.push_back(begin[at]);
            sorted_extras.push_back(extras[at]);
        }
        std::copy(sorted_rows.begin(), sorted_rows.end(), begin);
        std::copy(sorted_extras.begin(), sorted_extras.end(), extras);
    }
    return rows;
}

OrderedLogRows::OrderedLogRows() = default;
OrderedLogRows::~OrderedLogRows() = default;
OrderedLogRows::OrderedLogRows(OrderedLogRows&&) noexcept = default;
OrderedLogRows& OrderedLogRows::operator=(OrderedLogRows&&) noexcept = default;

OrderedLogRows::OrderedLogRows(const OrderedLogRows& other)
    : m_rows(other.m_rows),
      m_extras(other.m_extras),
      m_dates(other.m_dates),
      m_times(other.m_times),
      m_devices(other.m_devices),
      m_users(other.m_users),
      m_id_block_sizes(other.m_id_block_sizes) {
    for (size_t block = 0; block < other.m_id_blocks.size(); ++block) {
        const size_t size = other.m_id_block_sizes[block];
        m_id_blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
        if (size > 0) std::memcpy(m_id_blocks.back().get(), other.m_id_blocks[block].get(), size);
    }
}

OrderedLogRows& OrderedLogRows::operator=(const OrderedLogRows& other) {
    if (this != &other) *this = OrderedLogRows(other);
    return *this;
}

LogRowRef OrderedLogRows::operator[](size_t at) const {
    const Row& row = m_rows[at];
    LogRowRef ref{{}, m_dates[row.date], m_times[row.time], {}, m_devices[row.device], row.duration,
                  0,  row.dload,         row.uload};
    if (m_extras.empty()) return ref;
    const Extra& extra = m_extras[at];
    const char* id = m_id_blocks[extra.id >> 32].get() + (extra.id & 0xffffffffu);
    uint32_t length = static_cast<unsigned char>(*id++);
    if (length == long_text) {
        std::memcpy(&length, id, sizeof length);
        id += sizeof length;
    }
    ref.devuniqueid = std::string_view(id, length);
    ref.usera = m_users[extra.user];
    ref.speed = extra.speed;
    return ref;
}

void OrderedLogRows::truncate(size_t count) {
    m_rows.truncate(count);
    m_extras.truncate(count);
}

std::vector<LogRow> OrderedLogRows::copies() const {
    std::vector<LogRow> rows;
    rows.reserve(size());
    for (size_t at = 0; at < size(); ++at) rows.push_back((*this)[at].copy());
    return rows;
}

}  // namespace quorvane
