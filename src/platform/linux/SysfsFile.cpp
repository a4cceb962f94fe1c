#include "platform/linux/SysfsFile.h"

#include <cerrno>
#include <charconv>

#include <fcntl.h>
#include <unistd.h>

namespace quorvane::sysfs_file {

namespace {

bool is_blank(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

template <typename T>
std::optional<T> parse(const std::string& text, int base) {
    T value{};
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto [end, ec] = std::from_chars(first, last, value, base);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::string> read_text(const std::filesystem::path& file) {
    // Plain system calls: a sysfs attribute without a value (the speed of a virtual link)
    // opens fine and then fails on read, which a stream would report as an empty file.
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || text.size() > (1u << 20)) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0) break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

std::optional<uint64_t> read_unsigned(const std::filesystem::path& file) {
    auto text = read_text(file);
    if (!text) return std::nullopt;
    return parse<uint64_t>(trimmed(*text), 10);
}

std::optional<int64_t> read_signed(const std::filesystem::path& file) {
    auto text = read_text(file);
    if (!text) return std::nullopt;
    return parse<int64_t>(trimmed(*text), 10);
}

std::optional<uint64_t> read_hex(const std::filesystem::path& file) {
    auto text = read_text(file);
    if (!text) return std::nullopt;
    std::string digits = trimmed(*text);
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.erase(0, 2);
    return parse<uint64_t>(digits, 16);
}

std::string trimmed(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && is_blank(text[first])) ++first;
    while (last > first && is_blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

}  // namespace quorvane::sysfs_file
