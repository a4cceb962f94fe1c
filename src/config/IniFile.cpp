#include "config/IniFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "config/AtomicReplace.h"
#include "config/IniText.h"

namespace quorvane {

namespace {

// A value is read into a buffer of 2048 characters: the terminating zero takes one.
constexpr size_t max_value_chars = 2047;

enum class ReadResult { ok, missing, failed };

ReadResult read_whole_file(const std::string& path, std::string& content) {
    content.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    char buffer[8192];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? ReadResult::failed : ReadResult::ok;
}

// A value written between matching single or double quotes is read without them.
std::string_view strip_quotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Cuts after `count` characters, counting a UTF-8 sequence as one character.
std::string_view first_chars(std::string_view text, size_t count) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool starts_char = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts_char && seen++ == count) return text.substr(0, i);
    }
    return text;
}

// The name with its line breaks and zero characters made visible, for a message.
std::string shown_name(std::string_view name) {
    std::string shown;
    for (char c : name) {
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else if (c == '\0') {
            shown += "\\0";
        } else {
            shown += c;
        }
    }
    return shown;
}

bool breaks_the_line(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

std::string_view without_leading_blanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    return text;
}

void check_value(std::string_view value) {
    if (breaks_the_line(value)) {
        throw std::invalid_argument(
            "An INI value may not contain a line break or a zero character");
    }
}

}  // namespace

IniFile::IniFile(std::string path) : m_path(std::move(path)) {}

std::string IniFile::read_string(std::string_view section, std::string_view key,
                                 std::string_view default_value) const {
    std::string content;
    if (read_whole_file(m_path, content) != ReadResult::ok) return std::string(default_value);
    auto value = IniText(content).find(section, key);
    if (!value) return std::string(default_value);
    return std::string(first_chars(strip_quotes(*value), max_value_chars));
}

std::vector<std::string> IniFile::section_names() const {
    std::string content;
    if (read_whole_file(m_path, content) != ReadResult::ok) return {};
    return IniText(content).section_names();
}

std::string IniFile::full_path() const {
    std::error_code ec;
    auto full = std::filesystem::absolute(m_path, ec);
    return ec ? m_path : full.string();
}

void IniFile::check_section_name(std::string_view section) const {
    if (breaks_the_line(section)) {
        throw IniNameError("Unable to write to " + full_path() + ": the section name \"" +
                           shown_name(section) +
                           "\" holds a line break or a zero character, which a section "
                           "name cannot hold");
    }
}

void IniFile::check_key_name(std::string_view key) const {
    if (breaks_the_line(key) || key.find('=') != std::string_view::npos ||
        without_leading_blanks(key).starts_with('[')) {
        throw IniNameError("Unable to write to " + full_path() + ": the key name \"" +
                           shown_name(key) +
                           "\" holds \"=\", a line break or a zero character, or starts "
                           "with \"[\"");
    }
}

void IniFile::write_string(std::string_view section, std::string_view key, std::string_view value) {
    check_section_name(section);
    check_key_name(key);
    check_value(value);
    auto failure = [this]() { return IniWriteError("Unable to write to " + full_path()); };
    std::string content;
    // A file that exists but cannot be read is not overwritten: its content would be lost.
    if (read_whole_file(m_path, content) == ReadResult::failed) throw failure();
    IniText text(content);
    text.set(section, key, value);
    try {
        replace_file_atomically(m_path, text.content());
    } catch (const std::system_error&) {
        throw failure();
    }
}

}  // namespace quorvane
