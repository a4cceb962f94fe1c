#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {

// "Unable to write to <path>": a value could not be written to an INI file.
class IniWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
    void write_string(std::string_view section, std::string_view key, std::string_view value);

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace quorvane
