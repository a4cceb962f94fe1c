#include "config/DataDirProvision.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane {

namespace {

namespace fs = std::filesystem;

bool is_present(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Writes a file that must not exist yet: a temporary file beside it is written and then
// linked to the name, which never replaces a file another start made meanwhile. Returns
// an error text, or empty text.
std::string write_new_file(const fs::path& path, const std::string& content) {
    // Made like any new file of this process (0666 less the umask), under a name of its own.
    const std::string temp = path.string() + ".new-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return std::strerror(errno);
    int error = 0;
    for (size_t done = 0; error == 0 && done < content.size();) {
        ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n > 0) done += static_cast<size_t>(n);
    }
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::link(temp.c_str(), path.c_str()) != 0 && errno != EEXIST) error = errno;
    ::unlink(temp.c_str());
    return error == 0 ? std::string() : std::strerror(error);
}

bool read_file(const fs::path& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    content = text.str();
    return !in.bad();
}

void make_dir(const fs::path& dir, std::vector<std::string>& failures) {
    std::error_code error;
    fs::create_directories(dir, error);
    if (error || !fs::is_directory(dir)) {
        failures.push_back("cannot create the folder " + dir.string() + ": " +
                           (error ? error.message() : "not a folder"));
    }
}

void copy_missing(const fs::path& from, const fs::path& to, std::vector<std::string>& failures) {
    if (is_present(to)) return;
    std::string content;
    if (!read_file(from, content)) {
        failures.push_back("cannot read " + from.string());
        return;
    }
    auto error = write_new_file(to, content);
    if (!error.empty()) failures.push_back("cannot create " + to.string() + ": " + error);
}

}  // namespace

std::string find_installed_data(const std::vector<std::string>& candidates) {
    for (const auto& dir : candidates) {
        std::error_code error;
        if (!dir.empty() && fs::is_regular_file(fs::path(dir) / "schema.sql", error)) return dir;
    }
    return {};
}

std::vector<std::string> provision_data_dir_files(const std::string& data_dir,
                                                  const std::string& installed_data) {
    std::vector<std::string> failures;
    const fs::path dir(data_dir);
    const fs::path data(installed_data);
    make_dir(dir / "config", failures);
    if (!failures.empty()) return failures;
    if (!is_present(dir / "config/dev.ini")) {
        auto error = write_new_file(dir / "config/dev.ini", "");
        if (!error.empty())
            failures.push_back("cannot create " + (dir / "config/dev.ini").string() + ": " + error);
    }
    if (installed_data.empty()) {
        failures.push_back("no installed data to make the data directory from");
        return failures;
    }
    copy_missing(data / "tip.cfg", dir / "config/tip.cfg", failures);
    const fs::path help = data / "qvane help";
    std::error_code error;
    for (fs::recursive_directory_iterator it(help, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path target = dir / "qvane help" / fs::relative(it->path(), help);
        if (it->is_directory()) {
            make_dir(target, failures);
        } else {
            make_dir(target.parent_path(), failures);
            copy_missing(it->path(), target, failures);
        }
    }
    if (error) failures.push_back("cannot read " + help.string() + ": " + error.message());
    return failures;
}

}  // namespace quorvane
