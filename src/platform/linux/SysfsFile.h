#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quorvane {

// Reading the small attribute files of sysfs. Every reader answers nothing when the file is
// missing, unreadable or does not hold what is asked for; none of them throws.
namespace sysfs_file {

// The whole text of the file without its trailing line ends.
std::optional<std::string> read_text(const std::filesystem::path& file);
// A decimal whole number that fits 64 bits unsigned.
std::optional<uint64_t> read_unsigned(const std::filesystem::path& file);
// A decimal whole number, possibly negative.
std::optional<int64_t> read_signed(const std::filesystem::path& file);
// A hexadecimal number, with or without "0x" in front.
std::optional<uint64_t> read_hex(const std::filesystem::path& file);

// Text without leading and trailing blanks and control characters.
std::string trimmed(const std::string& text);

}  // namespace sysfs_file
}  // namespace quorvane
