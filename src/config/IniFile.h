#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// "Unable to write to <path>": a value could not be written to an INI file.
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name that cannot be stored in an INI file (a line break or a zero character in it). The
// message starts with "Unable to write to <path>" and names the section or key.
class IniNameError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// An INI file with private-profile semantics: section and key names match without regard
// to letter case; a missing file, section or key reads as the caller's default; at most
// 2047 characters of a value are seen. Nothing is cached: every read opens the file, every
// write replaces it at once, atomically (temporary file, then rename), keeping everything
// else in it. A new section is appended at the end, a new key at the end of its section.
class IniFile {
public:
    explicit IniFile(std::string path);

    std::string read_string(std::string_view section, std::string_view key,
                            std::string_view default_value) const;
    // The section names of the file (IniText::section_names); none for a missing file.
    std::vector<std::string> section_names() const;
    // Any section name that fits on one line may be written, brackets, "=", ";", "#" and
    // quotes included; a key may not hold "=" nor start with "[". A name that cannot be
    // stored throws IniNameError, a value with a line break std::invalid_argument, and a
    // file that cannot be written IniWriteError; the file is then left as it was.
    void write_string(std::string_view section, std::string_view key, std::string_view value);
    // Throws the IniNameError that a write into this section would throw.
    void check_section_name(std::string_view section) const;

    const std::string& path() const { return m_path; }

private:
    std::string full_path() const;
    void check_key_name(std::string_view key) const;

    std::string m_path;
};

}  // namespace quorvane
