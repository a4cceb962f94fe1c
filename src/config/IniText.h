#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The text of an INI file as its lines, each kept byte for byte with its own line end.
// Section and key names match without regard to ASCII letter case and to blanks around
// them; the first matching section, and the first matching key in it, count. A section's
// name is what stands between the "[" that opens its header line and the last "]" of that
// line, so any name that fits on one line can be a section.
class IniText {
public:
    explicit IniText(std::string_view content);

    // The value of a key with the blanks around it removed, or nothing when the section or
    // the key is missing.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key in place, or adds the key at the end of its
    // section, or adds the section at the end of the text. Every other line stays as it is.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string content() const;

    // The names of the sections, as their header lines spell them, in file order; a name
    // that matches an earlier one is left out, as only the first such section counts.
    std::vector<std::string> section_names() const;

private:
    struct Range {
        size_t header;  // index of the header line
        size_t end;     // one past the last line of the section
    };

    std::optional<Range> find_section(std::string_view section) const;
    std::optional<size_t> find_key(const Range& range, std::string_view key) const;
    std::string_view body(size_t line) const;
    std::string line_end() const;
    void end_last_line();

    std::vector<std::string> m_lines;
};

}  // namespace quorvane
