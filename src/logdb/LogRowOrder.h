#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logdb/LogRow.h"

namespace quorvane {

// Collects log rows as the engine hands them over and gives them back in the database
// view's order: start date ascending, within one day start time descending, and within one
// start the row written last (the higher rowid) first. Dates and times compare as text,
// byte by byte, as the engine compares them.
//
// Sorting here rather than by the engine keeps a whole-log refresh fast: for that ORDER BY
// the engine walks the start index with one table lookup per row, or sorts whole rows, both
// several times slower than a plain scan. The rows are held packed until their order is
// known, so each LogRow is built once, in its place.
class LogRowsInViewOrder {
public:
    // Texts are copied; they need to live only for the call.
    void add(std::string_view devuniqueid, std::string_view startdate, std::string_view starttime,
             std::string_view usera, std::string_view deventry, int32_t duration, int32_t speed,
             int64_t dload, int64_t uload, int64_t rowid);
    // The rows in the view's order; the collection is empty afterwards.
    std::vector<LogRow> take();

private:
    static constexpr size_t text_columns = 5;
    struct Packed {
        size_t text_at;  // the first of its texts in m_text, one after the other
        uint32_t length[text_columns];
        int32_t duration;
        int32_t speed;
        int64_t dload;
        int64_t uload;
        int64_t rowid;
    };
    std::string_view text(const Packed& row, size_t column) const;

    std::string m_text;
    std::vector<Packed> m_rows;
};

}  // namespace quorvane
