#include "config/AutostartEntry.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "config/AtomicReplace.h"
#include "config/IniFile.h"

namespace quorvane {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSection = "Desktop Entry";

// The escapes every string value of a desktop entry takes.
std::string escaped_string(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// One argument of an Exec= line: quoted when it holds a reserved character, with '"', '`',
// '$' and '\' escaped inside the quotes, and "%" doubled (a field code otherwise).
std::string exec_argument(const std::string& argument) {
    const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote = argument.empty() || argument.find_first_of(reserved) != std::string::npos;
    std::string out;
    for (char c : argument) {
        if (c == '%') {
            out += "%%";
        } else if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return quote ? '"' + out + '"' : out;
}

IniWriteError write_failure(const std::string& path) {
    std::error_code ec;
    auto full = fs::absolute(path, ec);
    return IniWriteError("Unable to write to " + (ec ? path : full.string()));
}

}  // namespace

std::string AutostartEntry::path_in(const std::string& config_home) {
    return (fs::path(config_home) / "autostart" / "quorvane.desktop").string();
}

AutostartEntry::AutostartEntry(std::string path) : m_path(std::move(path)) {}

bool AutostartEntry::is_on() const {
    return !IniFile(m_path).read_string(kSection, "Exec", "").empty();
}

std::string AutostartEntry::content(const std::string& executable, const std::string& working_dir) {
    return std::string("[") + kSection +
           "]\n"
           "Type=Application\n"
           "Name=Quorvane\n"
           "Comment=Network usage meter, started with the desktop session\n"
           "Exec=" +
           escaped_string(exec_argument(executable)) +
           "\n"
           "Path=" +
           escaped_string(working_dir) +
           "\n"
           "Icon=network-transmit-receive\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

void AutostartEntry::write(const std::string& executable, const std::string& working_dir) {
    std::error_code ec;
    fs::create_directories(fs::path(m_path).parent_path(), ec);
    if (ec) throw write_failure(m_path);
    try {
        replace_file_atomically(m_path, content(executable, working_dir));
    } catch (const std::system_error&) {
        throw write_failure(m_path);
    }
}

void AutostartEntry::remove() {
    std::error_code ec;
    fs::remove(m_path, ec);
    if (ec && ec != std::errc::no_such_file_or_directory) throw write_failure(m_path);
}

}  // namespace quorvane
