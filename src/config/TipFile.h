#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The tip file could not be read; the message names it and says why.
class TipFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The tips of a tip file's text. Lines end with CR LF, LF or CR. A line that is exactly "#"
// closes a tip; empty lines are dropped wherever they stand; the other lines of a tip are
// joined, each followed by a line feed. Lines after the last "#" belong to no tip.
std::vector<std::string> parse_tips(std::string_view text);

// The tips of the file at `path`; throws TipFileError when it cannot be read.
std::vector<std::string> read_tip_file(const std::string& path);

}  // namespace quorvane
