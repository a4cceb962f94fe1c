#pragma once

#include <cstdint>
#include <memory>
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
// several times slower than a plain scan. Until their order is known the rows are held
// packed in large blocks that are never copied, and each LogRow is then built once, in its
// place: on a large log the time goes mostly into fresh memory, so little is used.
class LogRowsInViewOrder {
public:
    LogRowsInViewOrder();
    ~LogRowsInViewOrder();
    LogRowsInViewOrder(const LogRowsInViewOrder&) = delete;
    LogRowsInViewOrder& operator=(const LogRowsInViewOrder&) = delete;

    // Texts are copied; they need to live only for the call.
    void add(std::string_view devuniqueid, std::string_view startdate, std::string_view starttime,
             std::string_view usera, std::string_view deventry, int32_t duration, int32_t speed,
             int64_t dload, int64_t uload, int64_t rowid);
    // The rows in the view's order; the collection is empty afterwards.
    std::vector<LogRow> take();

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
        size_t used = 0;
    };
    char* reserve(size_t bytes);

    std::vector<Block> m_blocks;
    size_t m_count = 0;
};

}  // namespace quorvane
