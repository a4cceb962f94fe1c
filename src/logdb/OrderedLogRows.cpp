#include "logdb/OrderedLogRows.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
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

    TextKey() = default;
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
    // A key no text has: bytes with a length of 0.
    static TextKey never() {
        TextKey key;
        key.low = 1;
        return key;
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

// The distinct texts of one column, each under the number it was first met with, and how
// many rows have each, in an open-addressing table whose slots hold the texts' keys and
// counts: for the short texts of a log several times faster than a node-based map, and one
// memory access for a text met before. Rows often repeat the previous row's text, whose slot
// is checked first.
class TextTable {
public:
    [[gnu::always_inline]] uint32_t number_of(std::string_view text) {
        const TextKey key(text);
        if (Slot& last = m_slots[m_last]; last.key == key && (key.whole() || same(last, text))) {
            ++last.count;
            return last.number - 1;
        }
        const uint64_t hash = hash_of(key, text);
        size_t at = find(hash, key, text);
        if (m_slots[at].number == 0) at = insert(at, hash, key, text);
        m_last = at;
        ++m_slots[at].count;
        return m_slots[at].number - 1;
    }

    // How many times each number was given.
    std::vector<size_t> counts() const {
        std::vector<size_t> counts(m_texts.size(), 0);
        for (const Slot& slot : m_slots) {
            if (slot.number != 0) counts[slot.number - 1] = slot.count;
        }
        return counts;
    }

    // The texts by number; the table is empty afterwards.
    std::vector<std::string> take() {
        std::vector<std::string> texts = std::move(m_texts);
        *this = TextTable();
        return texts;
    }

private:
    // An empty slot has number 0 and a key that no text has. A count passes 32 bits only
    // with more rows than the collector orders.
    struct Slot {
        TextKey key = TextKey::never();
        uint32_t number = 0;  // number + 1
        uint32_t count = 0;
    };

    static uint64_t hash_of(const TextKey& key, std::string_view text) {
        if (key.whole()) {
            // Both halves multiplied into 128 bits and folded: every bit of the key reaches
            // the low bits, which pick the slot.
            __extension__ using Wide = unsigned __int128;
            const Wide product =
                Wide{key.low ^ 0x9e3779b97f4a7c15ull} * (key.high ^ 0xff51afd7ed558ccdull);
            return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
        }
        uint64_t hash = 14695981039346656037ull;  // FNV-1a
        for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
        return hash;
    }

    // For a text longer than its key: the whole text of a slot whose key matched.
    bool same(const Slot& slot, std::string_view text) const {
        return m_texts[slot.number - 1] == text;
    }

    // The slot that holds the text, else the empty slot where it goes.
    size_t find(uint64_t hash, const TextKey& key, std::string_view text) const {
        const size_t mask = m_slots.size() - 1;
        size_t at = hash & mask;
        while (m_slots[at].number != 0 &&
               !(m_slots[at].key == key && (key.whole() || same(m_slots[at], text)))) {
            at = (at + 1) & mask;
        }
        return at;
    }

    // A new text into the empty slot at `at`; gives its slot, which moves when the table
    // grows.
    [[gnu::noinline]] size_t insert(size_t at, uint64_t hash, const TextKey& key,
                                    std::string_view text) {
        if (m_texts.size() >= std::numeric_limits<uint32_t>::max() - 1) {
            throw std::length_error("too many distinct log texts");
        }
        if ((m_texts.size() + 1) * 2 > m_slots.size()) {
            grow();
            at = find(hash, key, text);
        }
        m_texts.emplace_back(text);
        m_hashes.push_back(hash);
        m_slots[at].key = key;
        m_slots[at].number = static_cast<uint32_t>(m_texts.size());
        return at;
    }

    void grow() {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.size() * 2, Slot{});
        const size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (slot.number == 0) continue;
            size_t at = m_hashes[slot.number - 1] & mask;
            while (m_slots[at].number != 0) at = (at + 1) & mask;
            m_slots[at] = slot;
        }
    }

    std::vector<std::string> m_texts;
    std::vector<uint64_t> m_hashes;  // by number
    std::vector<Slot> m_slots = std::vector<Slot>(64);
    size_t m_last = 0;  // the slot of the text given last
};

// Puts the texts in ascending byte order and gives, for each old number, the new one;
// numbers then compare as their texts do. The counts move with their texts.
std::vector<uint32_t> sort_table(std::vector<std::string>& texts, std::vector<size_t>& counts) {
    std::vector<uint32_t> by_text(texts.size());
    std::iota(by_text.begin(), by_text.end(), 0u);
    std::sort(by_text.begin(), by_text.end(),
              [&](uint32_t a, uint32_t b) { return texts[a] < texts[b]; });
    std::vector<uint32_t> renumbered(texts.size());
    std::vector<std::string> sorted;
    std::vector<size_t> sorted_counts;
    sorted.reserve(texts.size());
    sorted_counts.reserve(texts.size());
    for (uint32_t rank = 0; rank < by_text.size(); ++rank) {
        renumbered[by_text[rank]] = rank;
        sorted.push_back(std::move(texts[by_text[rank]]));
        sorted_counts.push_back(counts[by_text[rank]]);
    }
    texts = std::move(sorted);
    counts = std::move(sorted_counts);
    return renumbered;
}

// Where each number's rows begin in a counting sort, numbers ascending or descending.
std::vector<size_t> starts_of(const std::vector<size_t>& counts, bool descending) {
    std::vector<size_t> starts(counts.size());
    size_t next = 0;
    for (size_t at = 0; at < counts.size(); ++at) {
        const size_t number = descending ? counts.size() - 1 - at : at;
        starts[number] = next;
        next += counts[number];
    }
    return starts;
}

}  // namespace

struct OrderedLogRows::Collector::State {
    OrderedLogRows rows;
    GrowingArray<int64_t> rowids;  // by place of arrival
    bool rowids_ascending = true;
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
                  uload};
    if (m_columns == Columns::all) {
        state.rows.m_extras.push_back(
            Extra{state.put_id(devuniqueid), state.users.number_of(usera), speed});
    }
    if (!state.rowids.empty() && rowid <= state.rowids[state.rowids.size() - 1]) {
        state.rowids_ascending = false;
    }
    state.rowids.push_back(rowid);
    state.rows.m_rows.push_back(row);
}

OrderedLogRows OrderedLogRows::Collector::take() {
    State state = std::move(*m_state);
    *m_state = State{};
    OrderedLogRows rows = std::move(state.rows);
    const size_t count = rows.m_rows.size();
    // The texts' counts are 32-bit numbers.
    if (count > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("too many log rows");
    }
    std::vector<size_t> date_counts = state.dates.counts();
    std::vector<size_t> time_counts = state.times.counts();
    rows.m_dates = state.dates.take();
    rows.m_times = state.times.take();
    rows.m_devices = state.devices.take();
    rows.m_users = state.users.take();
    // Dates and times renumbered in text order, so that the rows sort on numbers alone.
    const std::vector<uint32_t> date_rank = sort_table(rows.m_dates, date_counts);
    const std::vector<uint32_t> time_rank = sort_table(rows.m_times, time_counts);

    // First pass: the rows renumbered, by start time descending, taken in descending rowid
    // so that within one time the row written last comes first. Each row (and its extra)
    // goes to the next place of its time; both passes read their input in order and write
    // to as many places at once as there are times or dates.
    const bool with_extras = !rows.m_extras.empty();
    // Rows read in another order than their rowids (through an index) are sorted by rowid
    // first; otherwise the rowids are not needed, and their memory goes before the passes'.
    std::vector<std::pair<int64_t, size_t>> by_rowid;
    if (!state.rowids_ascending) {
        by_rowid.resize(count);
        for (size_t at = 0; at < count; ++at) by_rowid[at] = {state.rowids[at], at};
        std::sort(by_rowid.begin(), by_rowid.end(), std::greater<>());
    }
    state.rowids = GrowingArray<int64_t>();
    auto rows_by_time = std::make_unique_for_overwrite<Row[]>(count);
    std::unique_ptr<Extra[]> extras_by_time;
    if (with_extras) extras_by_time = std::make_unique_for_overwrite<Extra[]>(count);
    {
        std::vector<size_t> next = starts_of(time_counts, true);
        const auto put = [&](size_t at) {
            Row row = rows.m_rows[at];
            row.date = date_rank[row.date];
            row.time = time_rank[row.time];
            const size_t to = next[row.time]++;
            rows_by_time[to] = row;
            if (with_extras) extras_by_time[to] = rows.m_extras[at];
        };
        if (state.rowids_ascending) {
            for (size_t at = count; at-- > 0;) put(at);
        } else {
            for (const auto& [rowid, at] : by_rowid) put(at);
        }
    }
    // Second pass: back into the rows' own memory by start date ascending, the order within
    // each date kept.
    std::vector<size_t> next = starts_of(date_counts, false);
    for (size_t at = 0; at < count; ++at) {
        const size_t to = next[rows_by_time[at].date]++;
        rows.m_rows[to] = rows_by_time[at];
        if (with_extras) rows.m_extras[to] = extras_by_time[at];
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
